// Prints the C# binding as tests/bindings/layout.c prints the header: every ZVT_* record by Marshal.SizeOf
// and Marshal.OffsetOf, walked by reflection so that new records and fields need no edit here; each
// export's entry point, argument kinds and calling convention; the constants. scripts/check-bindings.sh
// compares the listings. Built with mcs together with bindings/csharp/Zavsys.cs, run with mono.
using System;
using System.Linq;
using System.Reflection;
using System.Runtime.InteropServices;
using System.Text;
using ZavsysInterop;

static class Layout
{
    const BindingFlags Members = BindingFlags.Public | BindingFlags.NonPublic;

    static MarshalAsAttribute MarshalAs(ICustomAttributeProvider member)
    {
        object[] attributes = member.GetCustomAttributes(typeof(MarshalAsAttribute), false);
        return attributes.Cast<MarshalAsAttribute>().FirstOrDefault();
    }

    static string Kind(Type type, MarshalAsAttribute marshal)
    {
        if (type == typeof(int))
            return "i32";
        if (type == typeof(uint))
            return "u32";
        if (type == typeof(float))
            return "f32";
        if (type == typeof(string) && marshal != null && marshal.Value == UnmanagedType.ByValTStr)
            return "char[" + marshal.SizeConst + "]";
        if (type.IsArray && marshal != null && marshal.Value == UnmanagedType.ByValArray)
            return Kind(type.GetElementType(), null) + "[" + marshal.SizeConst + "]";
        return type.Name;
    }

    static void PrintRecord(Type record)
    {
        Console.WriteLine("{0} size {1}", record.Name, Marshal.SizeOf(record));
        StructLayoutAttribute layout = record.StructLayoutAttribute;
        if (layout.Value != LayoutKind.Sequential || layout.Pack != 4 || layout.CharSet != CharSet.Ansi)
            Console.WriteLine("{0} declared {1} Pack={2} CharSet={3}", record.Name, layout.Value, layout.Pack,
                              layout.CharSet);
        FieldInfo[] fields = record.GetFields(BindingFlags.Instance | Members);
        foreach (FieldInfo field in fields.OrderBy(f => f.MetadataToken)) // declaration order
            Console.WriteLine("{0}.{1} offset {2} type {3}", record.Name, field.Name,
                              Marshal.OffsetOf(record, field.Name), Kind(field.FieldType, MarshalAs(field)));
        RoundTrip(record);
    }

    // The marshaller copies a zeroed record in and out again without complaint (a declaration Mono cannot
    // marshal fails here, not only in a caller's first call).
    static void RoundTrip(Type record)
    {
        int size = Marshal.SizeOf(record);
        IntPtr memory = Marshal.AllocHGlobal(size);
        for (int i = 0; i < size; ++i)
            Marshal.WriteByte(memory, i, 0);
        Marshal.StructureToPtr(Marshal.PtrToStructure(memory, record), memory, false);
        for (int i = 0; i < size; ++i)
            if (Marshal.ReadByte(memory, i) != 0)
                Console.WriteLine("{0} round trip changed byte {1}", record.Name, i);
        Marshal.FreeHGlobal(memory);
    }

    static string ArgumentKind(ParameterInfo parameter)
    {
        Type type = parameter.ParameterType;
        if (type == typeof(string) || type == typeof(StringBuilder))
        {
            MarshalAsAttribute marshal = MarshalAs(parameter);
            UnmanagedType text = marshal == null ? 0 : marshal.Value;
            return text == UnmanagedType.LPWStr ? "wstr" : text == UnmanagedType.LPStr ? "str" : "text?";
        }
        return type.IsByRef || type == typeof(IntPtr) ? "ptr" : Kind(type, null);
    }

    static void PrintExport(MethodInfo method)
    {
        var import = (DllImportAttribute)Attribute.GetCustomAttribute(method, typeof(DllImportAttribute));
        if (import == null)
            return;
        string arguments = string.Join(",", method.GetParameters().Select(ArgumentKind));
        string convention = import.CallingConvention.ToString().ToLowerInvariant();
        string library = import.Value == "zavsys.dll" ? "" : " from " + import.Value;
        Console.WriteLine("export {0} {1}({2}) {3}{4}", import.EntryPoint ?? method.Name,
                          Kind(method.ReturnType, null), arguments, convention, library);
    }

    static int Main()
    {
        Type[] types = typeof(Zavsys).Assembly.GetTypes();
        foreach (Type record in types.Where(t => t.IsValueType && t.Namespace == "ZavsysInterop"))
            PrintRecord(record);
        Console.WriteLine("ZVT_CPUID_DUMP.entries offset {0} type ZVT_CPUID_ENTRY[]",
                          Zavsys.CpuidDumpSize(0));
        Console.WriteLine("ZVT_CPUID_DUMP_SIZE({0}) {1}", Zavsys.ZVT_CPUID_DUMP_MAX_ENTRIES,
                          Zavsys.CpuidDumpSize(Zavsys.ZVT_CPUID_DUMP_MAX_ENTRIES));
        foreach (MethodInfo method in typeof(Zavsys).GetMethods(BindingFlags.Static | Members))
            PrintExport(method);
        foreach (FieldInfo constant in typeof(Zavsys).GetFields(BindingFlags.Static | Members))
            if (constant.IsLiteral && constant.Name.StartsWith("ZVT_", StringComparison.Ordinal))
                Console.WriteLine("const {0} {1}", constant.Name,
                                  Convert.ToInt64(constant.GetRawConstantValue()));
        return 0;
    }
}
