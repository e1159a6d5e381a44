# Import libraries of zavsys.dll for callers that link instead of calling GetProcAddress: libzavsys.dll.a
# (mingw, by GNU dlltool) and zavsys.lib (Microsoft's linker) from the .def. zavsys.lib is made by
# llvm-dlltool in the short import format Microsoft's own tools write: GNU dlltool's objects carry no
# safe-exception-handler mark, so a 32-bit link with /SAFESEH (Visual Studio's default) refuses them.
#
# On 32-bit x86 a C caller's declaration of a stdcall export refers to "_zvtGetIdentity@16", so the import
# libraries carry that decorated symbol and import the undecorated name the DLL exports (-k). The linker's
# own import library knows only "_zvtGetIdentity" and would leave such callers unresolved.

# Bytes of arguments of each export, the @N of its stdcall decoration: NAME=N from the rows of the export
# table (host/binding/ExportTable.h), whose bytes a compile-time check holds against the prototypes.
file(READ ${PROJECT_SOURCE_DIR}/host/binding/ExportTable.h ZVT_EXPORT_TABLE_TEXT)
string(REGEX MATCHALL "ROW\\(zvt[A-Za-z0-9]+, [A-Za-z0-9_]+, [A-Za-z0-9_]+, [0-9]+\\)" ZVT_EXPORT_ROWS
       "${ZVT_EXPORT_TABLE_TEXT}")
list(TRANSFORM ZVT_EXPORT_ROWS REPLACE "^ROW\\((zvt[A-Za-z0-9]+), [A-Za-z0-9_]+, [A-Za-z0-9_]+, ([0-9]+)\\)$" "\\1=\\2"
     OUTPUT_VARIABLE ZVT_EXPORT_ARGUMENT_BYTES)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/host/binding/ExportTable.h)

# zvt_import_libraries(TARGET DEF): after TARGET is linked, writes TARGET.lib beside the linker's import
# library and replaces that (libTARGET.dll.a) with one that knows the decorated names.
function(zvt_import_libraries target def)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(machine i386)
    file(STRINGS ${def} lines)
    set(decorated "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^[ \t]+(zvt[A-Za-z0-9]+)[ \t]+(@[0-9]+)")
        set(name ${CMAKE_MATCH_1})
        set(ordinal ${CMAKE_MATCH_2})
        set(found ${ZVT_EXPORT_ARGUMENT_BYTES})
        list(FILTER found INCLUDE REGEX "^${name}=")
        if(NOT found)
          message(FATAL_ERROR "${def}: no argument size known for ${name}; add its row to host/binding/ExportTable.h")
        endif()
        string(REGEX REPLACE "^.*=" "" bytes "${found}")
        string(APPEND decorated "    ${name}@${bytes} ${ordinal}\n")
      elseif(NOT line MATCHES "^[ \t]*$")
        string(APPEND decorated "${line}\n")
      endif()
    endforeach()
    set(import_def ${CMAKE_CURRENT_BINARY_DIR}/${target}-stdcall.def)
    file(CONFIGURE OUTPUT ${import_def} CONTENT "${decorated}")
    set(kill_at -k)
  else()
    set(machine i386:x86-64)
    set(import_def ${def})
    set(kill_at "")
  endif()
  string(REGEX REPLACE "gcc(-posix)?$" "dlltool" dlltool_guess ${CMAKE_C_COMPILER})
  find_program(ZVT_DLLTOOL NAMES ${dlltool_guess} REQUIRED)
  find_program(ZVT_LLVM_DLLTOOL NAMES llvm-dlltool-14 llvm-dlltool)
  # Archive members without times, owners or modes, whatever GNU dlltool's build defaults to.
  set(gnu_dlltool ${ZVT_DLLTOOL} --deterministic-libraries)
  set(msvc_dlltool ${ZVT_LLVM_DLLTOOL})
  if(NOT ZVT_LLVM_DLLTOOL)
    message(WARNING "llvm-dlltool not found (scripts/setup.sh installs it): ${target}.lib is made by GNU dlltool "
                    "and a 32-bit link with /SAFESEH will refuse it")
    set(msvc_dlltool ${gnu_dlltool})
  endif()
  set(dir $<TARGET_LINKER_FILE_DIR:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${gnu_dlltool} -m ${machine} ${kill_at} -D $<TARGET_FILE_NAME:${target}> -d ${import_def}
            -l $<TARGET_LINKER_FILE_NAME:${target}>
    COMMAND ${msvc_dlltool} -m ${machine} ${kill_at} -D $<TARGET_FILE_NAME:${target}> -d ${import_def}
            -l ${target}.lib
    WORKING_DIRECTORY ${dir}
    COMMENT "Import libraries of ${target} from ${def}"
    VERBATIM)
  set_property(TARGET ${target} APPEND PROPERTY ADDITIONAL_CLEAN_FILES ${dir}/${target}.lib)
endfunction()
