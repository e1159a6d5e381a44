// zavsys_uarch.h - which processor this is: its core's microarchitecture ("Golden Cove", "Zen 4") and its
// codename ("Alder Lake-S", "Raphael"), from the vendor string of leaf 0, the family, model and stepping of
// leaf 1, the brand string of extended leaves 0x80000002-4 (only where one model number covers products that
// only the name tells apart) and, on a hybrid processor, the core of leaf 0x1A. One reviewed table, each row
// with the public source it comes from. Header only, C99/C11 and C++, 32-bit and 64-bit; needs only zavsys.h.
// Nothing here executes CPUID or allocates.
//
// The table has three kinds of rows, tried in this order:
// - ZVT_UARCH_ROW_MODEL: a family, model range and stepping range (and maybe a brand text, a core type and a
//   native model ID) name the microarchitecture and the codename: ZVT_UARCH_EXACT.
// - ZVT_UARCH_ROW_GENERATION: a model range whose microarchitecture a public list states (Linux's Zen
//   ranges, AMD's revision guides by model range), for a model no MODEL row names: ZVT_UARCH_GENERATION,
//   codename "unknown".
// - ZVT_UARCH_ROW_FAMILY: a family whose generation is known, for a model nothing else names:
//   ZVT_UARCH_FAMILY, microarchitecture "unknown", generation e.g. "Zen 5/Zen 6".
// Anything else is ZVT_UARCH_UNKNOWN: never a guessed name.
//
// Within a kind the narrowest matching row wins: one that asks for a brand text, then one that asks
// for a native model ID, then for a core type, then one that asks for neither. Rows of one kind never
// overlap otherwise (tests/native/uarch_test.cpp checks it).
//
// The brand string splits three model numbers (each such row's source begins "brand split:"):
// - Intel 6/0x75: Intel's Lightning Mountain, or Spreadtrum's SC9853I-IA (Airmont cores too) when the brand
//   string holds "Spreadtrum";
// - AMD 6/8: the Thoroughbred Athlon XP and Applebred Duron, or the Geode NX (a Thoroughbred core) when it
//   holds "Geode";
// - Centaur and Zhaoxin 6/0xF steppings 0xE-0xF: VIA's Eden X4 (Isaiah II), or the same silicon as
//   Zhaoxin's ZX-C (ZhangJiang) when it holds "Zhaoxin".
//
// Family and model are the displayed ones: family is the base family plus the extended family when the base
// is 0xF; model is the extended model * 16 + the base model when the base family is 6 or 0xF (Intel SDM vol.
// 2, CPUID), when the base family is 0xF (AMD APM vol. 3, CPUID Fn0000_0001 EAX; Hygon the same) and when the
// base family is 6 or more (Centaur and Zhaoxin: family 7 models 0x1B, 0x3B, 0x5B in Zhaoxin's Linux
// patches); other vendors as Intel.
//
// The core type: leaf 0x1A EAX as read (0 when the processor has no leaf 0x1A or says nothing there). Bits
// 31..24 are the core type (0x20 efficiency, Intel Atom; 0x40 performance, Intel Core), bits 23..0 the native
// model ID (Linux intel-family.h: 2 Crestmont, 3 Skymont). A processor that tells no core type is not a
// hybrid: the rows for such models name the only kind of core it has. Pass the value of the logical
// processor asked about; each core of a hybrid processor answers for itself.
#ifndef ZAVSYS_UARCH_H
#define ZAVSYS_UARCH_H

#include "zavsys.h"

#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L)
#define ZVT_UARCH_INLINE static inline
#else
#define ZVT_UARCH_INLINE static __inline
#endif

// Conversions that C++ warnings accept; every use holds a value that fits.
#ifdef __cplusplus
#define ZVT_UARCH_CHAR(value) static_cast<char>(value)
#define ZVT_UARCH_UCHAR(value) static_cast<unsigned char>(value)
#define ZVT_UARCH_I32(value) static_cast<int32_t>(value)
#else
#define ZVT_UARCH_CHAR(value) ((char)(value))
#define ZVT_UARCH_UCHAR(value) ((unsigned char)(value))
#define ZVT_UARCH_I32(value) ((int32_t)(value))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Vendors, one bit each (ZVT_UARCH.vendor; a row's vendors may hold several).
#define ZVT_UARCH_VENDOR_UNKNOWN 0x0000u
#define ZVT_UARCH_VENDOR_INTEL 0x0001u     // "GenuineIntel"
#define ZVT_UARCH_VENDOR_AMD 0x0002u       // "AuthenticAMD", "AMDisbetter!" (early K5)
#define ZVT_UARCH_VENDOR_HYGON 0x0004u     // "HygonGenuine"
#define ZVT_UARCH_VENDOR_CENTAUR 0x0008u   // "CentaurHauls", "VIA VIA VIA ": IDT, VIA, early Zhaoxin
#define ZVT_UARCH_VENDOR_ZHAOXIN 0x0010u   // "  Shanghai  "
#define ZVT_UARCH_VENDOR_CYRIX 0x0020u     // "CyrixInstead"
#define ZVT_UARCH_VENDOR_NEXGEN 0x0040u    // "NexGenDriven"
#define ZVT_UARCH_VENDOR_TRANSMETA 0x0080u // "GenuineTMx86", "TransmetaCPU"
#define ZVT_UARCH_VENDOR_RISE 0x0100u      // "RiseRiseRise"
#define ZVT_UARCH_VENDOR_NSC 0x0200u       // "Geode by NSC"
#define ZVT_UARCH_VENDOR_SIS 0x0400u       // "SiS SiS SiS "
#define ZVT_UARCH_VENDOR_UMC 0x0800u       // "UMC UMC UMC "
// Zhaoxin's processors answer either vendor string; their rows hold both.
#define ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN (ZVT_UARCH_VENDOR_CENTAUR | ZVT_UARCH_VENDOR_ZHAOXIN)

// ZVT_UARCH.kind, worst to best.
#define ZVT_UARCH_UNKNOWN 0    // nothing known: uarch, codename and generation "unknown"
#define ZVT_UARCH_FAMILY 1     // the family names its generation (generation), the model is not known
#define ZVT_UARCH_GENERATION 2 // a model range names the microarchitecture (uarch); codename "unknown"
#define ZVT_UARCH_EXACT 3      // a row names the microarchitecture and the codename

// ZVT_UARCH_ROW.level
#define ZVT_UARCH_ROW_MODEL 0
#define ZVT_UARCH_ROW_GENERATION 1
#define ZVT_UARCH_ROW_FAMILY 2

// Leaf 0x1A EAX[31:24].
#define ZVT_UARCH_CORE_ANY 0x00u         // a row for every core type (and for none)
#define ZVT_UARCH_CORE_EFFICIENCY 0x20u  // Intel Atom
#define ZVT_UARCH_CORE_PERFORMANCE 0x40u // Intel Core

#define ZVT_UARCH_TEXT_SIZE 160

// One row of the table.
typedef struct ZVT_UARCH_ROW
{
    int32_t level;          // ZVT_UARCH_ROW_*
    uint32_t vendors;       // ZVT_UARCH_VENDOR_* bits
    uint32_t family;        // displayed family
    uint32_t modelFirst;    // displayed model range, inclusive
    uint32_t modelLast;     //
    uint32_t steppingFirst; // stepping range, inclusive
    uint32_t steppingLast;  //
    uint32_t coreType;      // ZVT_UARCH_CORE_ANY, or the leaf 0x1A core type the row is for
    uint32_t nativeModel;   // 0: any; else the leaf 0x1A native model ID the row is for (with a core type)
    const char* brand;      // NULL: any brand; else text the brand string holds (ASCII case ignored)
    const char* uarch;      // the microarchitecture; a FAMILY row's: the family's generation
    const char* codename;   // the codename or codenames ("Cedar Mill / Presler"); NULL but in MODEL rows
    const char* source;     // the public source of the row
} ZVT_UARCH_ROW;

// What the table says about one processor (one logical processor of a hybrid).
typedef struct ZVT_UARCH
{
    int32_t kind;           // ZVT_UARCH_EXACT ... ZVT_UARCH_UNKNOWN
    int32_t row;            // index of the row used (zvtGetUarchRow), -1 when none
    uint32_t vendor;        // ZVT_UARCH_VENDOR_* (one bit), ZVT_UARCH_VENDOR_UNKNOWN
    uint32_t family;        // displayed family, model and stepping looked up
    uint32_t model;         //
    uint32_t stepping;      //
    uint32_t coreType;      // leaf 0x1A EAX[31:24] as given
    uint32_t nativeModel;   // leaf 0x1A EAX[23:0] as given
    const char* uarch;      // "Golden Cove"; "unknown" unless EXACT or GENERATION
    const char* codename;   // "Alder Lake-S" (alternatives joined by " / "); "unknown" unless EXACT
    const char* generation; // uarch, or a FAMILY row's generation ("Zen 5/Zen 6"); else "unknown"
    const char* source;     // the row's source; "" when none
    // One line, cut short to fit: "Golden Cove (Alder Lake-S)", "Zen 2 (family 0x17, model 0x47)",
    // "Zen 5/Zen 6 family (model 0x30)", "unknown (family 0x6, model 0x02)".
    char text[ZVT_UARCH_TEXT_SIZE];
} ZVT_UARCH;

// The table's row makers and shorthands, undefined after it. A row: its kind, vendors, family, models,
// steppings, core type and native model ID, brand text, microarchitecture, codename, source.
#define ZVT_UARCH_ROW_OF(level, vendors, family, m0, m1, s0, s1, core, native, brand, uarch, codename,       \
                         source)                                                                             \
    {                                                                                                        \
        level, vendors, family, m0, m1, s0, s1, core, native, brand, uarch, codename,                        \
            ZVT_UARCH_SOURCE(source)                                                                         \
    }
// A program that never shows the sources may define ZVT_UARCH_NO_SOURCES before including this header: every
// row's source is then "", and the table is smaller by their text.
#ifdef ZVT_UARCH_NO_SOURCES
#define ZVT_UARCH_SOURCE(text) ""
#else
#define ZVT_UARCH_SOURCE(text) text
#endif
// Every stepping of models m0..m1.
#define ZVT_UARCH_M(vendors, family, m0, m1, uarch, codename, source)                                        \
    ZVT_UARCH_ROW_OF(ZVT_UARCH_ROW_MODEL, vendors, family, m0, m1, 0x0u, 0xFu, 0u, 0u, NULL, uarch,          \
                     codename, source)
// Steppings s0..s1 of one model.
#define ZVT_UARCH_S(vendors, family, model, s0, s1, uarch, codename, source)                                 \
    ZVT_UARCH_ROW_OF(ZVT_UARCH_ROW_MODEL, vendors, family, model, model, s0, s1, 0u, 0u, NULL, uarch,        \
                     codename, source)
// One core type (and native model ID, 0 for any) of one model.
#define ZVT_UARCH_C(vendors, family, model, core, native, uarch, codename, source)                           \
    ZVT_UARCH_ROW_OF(ZVT_UARCH_ROW_MODEL, vendors, family, model, model, 0x0u, 0xFu, core, native, NULL,     \
                     uarch, codename, source)
// Steppings s0..s1 of one model whose brand string holds brand.
#define ZVT_UARCH_B(vendors, family, model, s0, s1, brand, uarch, codename, source)                          \
    ZVT_UARCH_ROW_OF(ZVT_UARCH_ROW_MODEL, vendors, family, model, model, s0, s1, 0u, 0u, brand, uarch,       \
                     codename, source)
// The microarchitecture of models m0..m1.
#define ZVT_UARCH_G(vendors, family, m0, m1, uarch, source)                                                  \
    ZVT_UARCH_ROW_OF(ZVT_UARCH_ROW_GENERATION, vendors, family, m0, m1, 0x0u, 0xFu, 0u, 0u, NULL, uarch,     \
                     NULL, source)
// The generation of a family.
#define ZVT_UARCH_F(vendors, family, generation, source)                                                     \
    ZVT_UARCH_ROW_OF(ZVT_UARCH_ROW_FAMILY, vendors, family, 0x00u, 0xFFu, 0x0u, 0xFu, 0u, 0u, NULL,          \
                     generation, NULL, source)

#define ZVT_UARCH_IN ZVT_UARCH_VENDOR_INTEL
#define ZVT_UARCH_AM ZVT_UARCH_VENDOR_AMD
#define ZVT_UARCH_P ZVT_UARCH_CORE_PERFORMANCE
#define ZVT_UARCH_E ZVT_UARCH_CORE_EFFICIENCY
#define ZVT_UARCH_KF "Linux intel-family.h "
#define ZVT_UARCH_KL "Linux intel.c legacy_models "
#define ZVT_UARCH_ZEN "Linux amd.c bsp_init_amd Zen generations: "
#define ZVT_UARCH_RG "AMD Revision Guide for "
#define ZVT_UARCH_NB "NetBSD i386 identcpu.c "
#define ZVT_UARCH_LH "Linux drivers/cpufreq/longhaul.c "

// Row index of the table (0 ... zvtGetUarchRowCount() - 1), or NULL past the end.
ZVT_UARCH_INLINE const ZVT_UARCH_ROW* zvtGetUarchRow(size_t index)
{
    static const ZVT_UARCH_ROW rows[] = {
        // ---- Intel family 4 and 5
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x00u, 0x01u, "i486", "i486DX", ZVT_UARCH_KL "family 4 models 0, 1"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x02u, 0x02u, "i486", "i486SX", ZVT_UARCH_KL "family 4 model 2"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x03u, 0x03u, "i486", "i486DX2", ZVT_UARCH_KL "family 4 model 3"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x04u, 0x04u, "i486", "i486SL", ZVT_UARCH_KL "family 4 model 4"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x05u, 0x05u, "i486", "i486SX2", ZVT_UARCH_KL "family 4 model 5"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x07u, 0x07u, "i486", "i486DX2 (write-back)",
                    ZVT_UARCH_KL "family 4 model 7 (486 DX/2-WB)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x08u, 0x08u, "i486", "i486DX4", ZVT_UARCH_KL "family 4 model 8"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 4u, 0x09u, 0x09u, "i486", "i486DX4 (write-back)",
                    ZVT_UARCH_KL "family 4 model 9 (486 DX/4-WB)"),
        ZVT_UARCH_F(ZVT_UARCH_IN, 4u, "i486", ZVT_UARCH_KL "family 4"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x00u, 0x00u, "P5", "P5 (A-step)",
                    ZVT_UARCH_KF "INTEL_FAM5_START (5, 0x00)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x01u, 0x01u, "P5", "P5",
                    ZVT_UARCH_KL "family 5 model 1 (Pentium 60/66)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x02u, 0x02u, "P5", "P54C", ZVT_UARCH_KF "INTEL_PENTIUM_75 (5, 0x02)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x03u, 0x03u, "P5", "P24T",
                    ZVT_UARCH_KL "family 5 model 3 (OverDrive PODP5V83); " ZVT_UARCH_NB "(P24T)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x04u, 0x04u, "P5", "P55C", ZVT_UARCH_KF "INTEL_PENTIUM_MMX (5, 0x04)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x07u, 0x07u, "P5", "P54C",
                    ZVT_UARCH_KL "family 5 model 7 (Mobile Pentium 75 - 200); " ZVT_UARCH_NB "(P54C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x08u, 0x08u, "P5", "Tillamook",
                    ZVT_UARCH_KL "family 5 model 8 (Mobile Pentium MMX); " ZVT_UARCH_NB "(Tillamook)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 5u, 0x09u, 0x09u, "Quark", "Quark X1000",
                    ZVT_UARCH_KF "INTEL_QUARK_X1000 (5, 0x09)"),
        ZVT_UARCH_F(ZVT_UARCH_IN, 5u, "P5", ZVT_UARCH_KL "family 5"),
        // ---- Intel family 6: P6, Pentium M, Core
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x00u, 0x00u, "P6", "P6 (A-step)",
                    ZVT_UARCH_KL "family 6 model 0 (Pentium Pro A-step)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x01u, 0x01u, "P6", "P6", ZVT_UARCH_KF "INTEL_PENTIUM_PRO (0x01)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x03u, 0x03u, "P6", "Klamath",
                    ZVT_UARCH_KF "INTEL_PENTIUM_II_KLAMATH (0x03)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x04u, 0x04u, "P6", "Deschutes",
                    ZVT_UARCH_KL "family 6 model 4 (Pentium II (Deschutes))"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x05u, 0x05u, "P6", "Deschutes / Covington / Tonga / Dixon",
                    ZVT_UARCH_KF
                    "INTEL_PENTIUM_III_DESCHUTES (0x05); Linux intel.c model 5: Covington, Dixon"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x06u, 0x06u, "P6", "Mendocino / Dixon",
                    ZVT_UARCH_KL "family 6 model 6 (Mobile Pentium II); Linux intel.c model 6: Mendocino"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x07u, 0x07u, "P6", "Katmai",
                    ZVT_UARCH_KL "family 6 model 7 (Pentium III (Katmai))"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x08u, 0x08u, "P6", "Coppermine",
                    ZVT_UARCH_KL "family 6 model 8 (Pentium III (Coppermine))"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x09u, 0x09u, "Pentium M", "Banias",
                    "Intel SDM vol. 4, Pentium M MSRs (06_09H, 06_0DH)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x0Au, 0x0Au, "P6", "Cascades",
                    ZVT_UARCH_KL "family 6 model 10 (Pentium III (Cascades))"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x0Bu, 0x0Bu, "P6", "Tualatin",
                    ZVT_UARCH_KF "INTEL_PENTIUM_III_TUALATIN (0x0B)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x0Du, 0x0Du, "Pentium M", "Dothan",
                    ZVT_UARCH_KF "INTEL_PENTIUM_M_DOTHAN (0x0D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x0Eu, 0x0Eu, "Enhanced Pentium M", "Yonah / Sossaman",
                    ZVT_UARCH_KF "INTEL_CORE_YONAH (0x0E)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x0Fu, 0x0Fu, "Core",
                    "Merom / Conroe / Allendale / Kentsfield / Woodcrest / Clovertown / Tigerton",
                    ZVT_UARCH_KF "INTEL_CORE2_MEROM (0x0F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x16u, 0x16u, "Core", "Merom-L / Conroe-L",
                    ZVT_UARCH_KF "INTEL_CORE2_MEROM_L (0x16)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x17u, 0x17u, "Penryn", "Penryn / Wolfdale / Yorkfield / Harpertown",
                    ZVT_UARCH_KF "INTEL_CORE2_PENRYN (0x17)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x1Du, 0x1Du, "Penryn", "Dunnington",
                    ZVT_UARCH_KF "INTEL_CORE2_DUNNINGTON (0x1D)"),
        // ---- Nehalem to Broadwell
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x1Au, 0x1Au, "Nehalem", "Bloomfield / Gainestown",
                    ZVT_UARCH_KF "INTEL_NEHALEM_EP (0x1A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x1Eu, 0x1Eu, "Nehalem", "Lynnfield / Clarksfield / Jasper Forest",
                    ZVT_UARCH_KF "INTEL_NEHALEM (0x1E)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x1Fu, 0x1Fu, "Nehalem", "Auburndale / Havendale",
                    ZVT_UARCH_KF "INTEL_NEHALEM_G (0x1F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x2Eu, 0x2Eu, "Nehalem", "Beckton",
                    ZVT_UARCH_KF "INTEL_NEHALEM_EX (0x2E)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x25u, 0x25u, "Westmere", "Clarkdale / Arrandale",
                    ZVT_UARCH_KF "INTEL_WESTMERE (0x25)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x2Cu, 0x2Cu, "Westmere", "Gulftown / Westmere-EP",
                    ZVT_UARCH_KF "INTEL_WESTMERE_EP (0x2C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x2Fu, 0x2Fu, "Westmere", "Westmere-EX",
                    ZVT_UARCH_KF "INTEL_WESTMERE_EX (0x2F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x2Au, 0x2Au, "Sandy Bridge", "Sandy Bridge",
                    ZVT_UARCH_KF "INTEL_SANDYBRIDGE (0x2A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x2Du, 0x2Du, "Sandy Bridge", "Sandy Bridge-E / Sandy Bridge-EP",
                    ZVT_UARCH_KF "INTEL_SANDYBRIDGE_X (0x2D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x3Au, 0x3Au, "Ivy Bridge", "Ivy Bridge",
                    ZVT_UARCH_KF "INTEL_IVYBRIDGE (0x3A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x3Eu, 0x3Eu, "Ivy Bridge",
                    "Ivy Bridge-E / Ivy Bridge-EP / Ivy Bridge-EX", ZVT_UARCH_KF "INTEL_IVYBRIDGE_X (0x3E)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x3Cu, 0x3Cu, "Haswell", "Haswell",
                    ZVT_UARCH_KF "INTEL_HASWELL (0x3C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x3Fu, 0x3Fu, "Haswell", "Haswell-E / Haswell-EP / Haswell-EX",
                    ZVT_UARCH_KF "INTEL_HASWELL_X (0x3F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x45u, 0x45u, "Haswell", "Haswell-ULT",
                    ZVT_UARCH_KF "INTEL_HASWELL_L (0x45)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x46u, 0x46u, "Haswell", "Crystal Well",
                    ZVT_UARCH_KF "INTEL_HASWELL_G (0x46)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x3Du, 0x3Du, "Broadwell", "Broadwell-U / Broadwell-Y",
                    ZVT_UARCH_KF "INTEL_BROADWELL (0x3D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x47u, 0x47u, "Broadwell", "Broadwell-H / Broadwell-C",
                    ZVT_UARCH_KF "INTEL_BROADWELL_G (0x47)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x4Fu, 0x4Fu, "Broadwell", "Broadwell-E / Broadwell-EP / Broadwell-EX",
                    ZVT_UARCH_KF "INTEL_BROADWELL_X (0x4F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x56u, 0x56u, "Broadwell", "Broadwell-DE",
                    ZVT_UARCH_KF "INTEL_BROADWELL_D (0x56)"),
        // ---- Skylake cores and their steppings
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x4Eu, 0x4Eu, "Skylake", "Skylake-U / Skylake-Y",
                    ZVT_UARCH_KF "INTEL_SKYLAKE_L (0x4E)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x5Eu, 0x5Eu, "Skylake", "Skylake-S / Skylake-H",
                    ZVT_UARCH_KF "INTEL_SKYLAKE (0x5E)"),
        ZVT_UARCH_S(ZVT_UARCH_IN, 6u, 0x55u, 0x0u, 0x4u, "Skylake", "Skylake-SP / Skylake-X",
                    ZVT_UARCH_KF "INTEL_SKYLAKE_X (0x55), steppings below Cascade Lake's"),
        ZVT_UARCH_S(
            ZVT_UARCH_IN, 6u, 0x55u, 0x5u, 0x7u, "Skylake", "Cascade Lake",
            ZVT_UARCH_KF
            "CASCADELAKE_X (0x55 stepping 7); Intel 2nd Gen Xeon Scalable stepping table (50656h, 50657h)"),
        ZVT_UARCH_S(
            ZVT_UARCH_IN, 6u, 0x55u, 0xAu, 0xBu, "Skylake", "Cooper Lake",
            ZVT_UARCH_KF
            "COOPERLAKE_X (0x55 stepping 11); Intel 3rd Gen Xeon Scalable (Cooper Lake) stepping table"),
        ZVT_UARCH_G(ZVT_UARCH_IN, 6u, 0x55u, 0x55u, "Skylake",
                    ZVT_UARCH_KF "INTEL_SKYLAKE_X (0x55) /* Sky Lake */"),
        ZVT_UARCH_S(ZVT_UARCH_IN, 6u, 0x8Eu, 0x9u, 0x9u, "Skylake",
                    "Kaby Lake-U / Kaby Lake-Y / Amber Lake-Y",
                    ZVT_UARCH_KF "INTEL_KABYLAKE_L (0x8E); AMBERLAKE_L stepping 9"),
        ZVT_UARCH_S(ZVT_UARCH_IN, 6u, 0x8Eu, 0xAu, 0xAu, "Skylake", "Kaby Lake-R / Coffee Lake-U",
                    ZVT_UARCH_KF "COFFEELAKE_L (0x8E stepping 10)"),
        ZVT_UARCH_S(ZVT_UARCH_IN, 6u, 0x8Eu, 0xBu, 0xBu, "Skylake", "Whiskey Lake-U",
                    ZVT_UARCH_KF "WHISKEYLAKE_L (0x8E steppings 11, 12)"),
        ZVT_UARCH_S(
            ZVT_UARCH_IN, 6u, 0x8Eu, 0xCu, 0xCu, "Skylake", "Whiskey Lake-U / Comet Lake-U / Amber Lake-Y",
            ZVT_UARCH_KF "WHISKEYLAKE_L (0x8E steppings 11, 12); Intel 10th Gen U/Y stepping table (806ECh)"),
        ZVT_UARCH_G(ZVT_UARCH_IN, 6u, 0x8Eu, 0x8Eu, "Skylake",
                    ZVT_UARCH_KF "INTEL_KABYLAKE_L (0x8E) /* Sky Lake */"),
        ZVT_UARCH_S(ZVT_UARCH_IN, 6u, 0x9Eu, 0x9u, 0x9u, "Skylake", "Kaby Lake-S / Kaby Lake-H / Kaby Lake-X",
                    ZVT_UARCH_KF "INTEL_KABYLAKE (0x9E), stepping below Coffee Lake's"),
        ZVT_UARCH_S(ZVT_UARCH_IN, 6u, 0x9Eu, 0xAu, 0xDu, "Skylake", "Coffee Lake-S / Coffee Lake-H",
                    ZVT_UARCH_KF "COFFEELAKE (0x9E steppings 10-13)"),
        ZVT_UARCH_G(ZVT_UARCH_IN, 6u, 0x9Eu, 0x9Eu, "Skylake",
                    ZVT_UARCH_KF "INTEL_KABYLAKE (0x9E) /* Sky Lake */"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xA5u, 0xA5u, "Skylake", "Comet Lake-S / Comet Lake-H",
                    ZVT_UARCH_KF "INTEL_COMETLAKE (0xA5)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xA6u, 0xA6u, "Skylake", "Comet Lake-U",
                    ZVT_UARCH_KF "INTEL_COMETLAKE_L (0xA6)"),
        // ---- Palm Cove to Panther Cove, single core type
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x66u, 0x66u, "Palm Cove", "Cannon Lake-U",
                    ZVT_UARCH_KF "INTEL_CANNONLAKE_L (0x66)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x6Au, 0x6Au, "Sunny Cove", "Ice Lake-SP",
                    ZVT_UARCH_KF "INTEL_ICELAKE_X (0x6A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x6Cu, 0x6Cu, "Sunny Cove", "Ice Lake-D",
                    ZVT_UARCH_KF "INTEL_ICELAKE_D (0x6C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x7Du, 0x7Du, "Sunny Cove", "Ice Lake",
                    ZVT_UARCH_KF "INTEL_ICELAKE (0x7D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x7Eu, 0x7Eu, "Sunny Cove", "Ice Lake-U / Ice Lake-Y",
                    ZVT_UARCH_KF "INTEL_ICELAKE_L (0x7E)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x9Du, 0x9Du, "Sunny Cove", "Spring Hill",
                    ZVT_UARCH_KF "INTEL_ICELAKE_NNPI (0x9D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xA7u, 0xA7u, "Cypress Cove", "Rocket Lake-S",
                    ZVT_UARCH_KF "INTEL_ROCKETLAKE (0xA7)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x8Cu, 0x8Cu, "Willow Cove",
                    "Tiger Lake-UP3 / Tiger Lake-UP4 / Tiger Lake-H35",
                    ZVT_UARCH_KF "INTEL_TIGERLAKE_L (0x8C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x8Du, 0x8Du, "Willow Cove", "Tiger Lake-H",
                    ZVT_UARCH_KF "INTEL_TIGERLAKE (0x8D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x8Fu, 0x8Fu, "Golden Cove", "Sapphire Rapids",
                    ZVT_UARCH_KF "INTEL_SAPPHIRERAPIDS_X (0x8F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xCFu, 0xCFu, "Raptor Cove", "Emerald Rapids",
                    ZVT_UARCH_KF "INTEL_EMERALDRAPIDS_X (0xCF)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xADu, 0xADu, "Redwood Cove", "Granite Rapids-AP / Granite Rapids-SP",
                    ZVT_UARCH_KF "INTEL_GRANITERAPIDS_X (0xAD)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xAEu, 0xAEu, "Redwood Cove", "Granite Rapids-D",
                    ZVT_UARCH_KF "INTEL_GRANITERAPIDS_D (0xAE), cores as INTEL_GRANITERAPIDS_X"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xD7u, 0xD7u, "Raptor Cove", "Bartlett Lake-S",
                    ZVT_UARCH_KF "INTEL_BARTLETTLAKE (0xD7)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 0x13u, 0x01u, 0x01u, "Panther Cove", "Diamond Rapids",
                    ZVT_UARCH_KF "INTEL_DIAMONDRAPIDS_X (19, 0x01)"),
        // ---- hybrids: a row per core type, and one for a processor that tells none
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x8Au, 0u, 0u, "Sunny Cove + Tremont", "Lakefield",
                    ZVT_UARCH_KF "INTEL_LAKEFIELD (0x8A)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x8Au, ZVT_UARCH_P, 0u, "Sunny Cove", "Lakefield",
                    ZVT_UARCH_KF "INTEL_LAKEFIELD (0x8A)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x8Au, ZVT_UARCH_E, 0u, "Tremont", "Lakefield",
                    ZVT_UARCH_KF "INTEL_LAKEFIELD (0x8A)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x97u, 0u, 0u, "Golden Cove", "Alder Lake-S",
                    ZVT_UARCH_KF "INTEL_ALDERLAKE (0x97); a processor without core type has P-cores only"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x97u, ZVT_UARCH_P, 0u, "Golden Cove", "Alder Lake-S",
                    ZVT_UARCH_KF "INTEL_ALDERLAKE (0x97)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x97u, ZVT_UARCH_E, 0u, "Gracemont", "Alder Lake-S",
                    ZVT_UARCH_KF "INTEL_ALDERLAKE (0x97)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x9Au, 0u, 0u, "Golden Cove + Gracemont",
                    "Alder Lake-P / Alder Lake-H / Alder Lake-U", ZVT_UARCH_KF "INTEL_ALDERLAKE_L (0x9A)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x9Au, ZVT_UARCH_P, 0u, "Golden Cove",
                    "Alder Lake-P / Alder Lake-H / Alder Lake-U", ZVT_UARCH_KF "INTEL_ALDERLAKE_L (0x9A)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0x9Au, ZVT_UARCH_E, 0u, "Gracemont",
                    "Alder Lake-P / Alder Lake-H / Alder Lake-U", ZVT_UARCH_KF "INTEL_ALDERLAKE_L (0x9A)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xB7u, 0u, 0u, "Raptor Cove + Gracemont",
                    "Raptor Lake-S / Raptor Lake-HX / Raptor Lake-S Refresh",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE (0xB7) /* Raptor Cove / Enhanced Gracemont */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xB7u, ZVT_UARCH_P, 0u, "Raptor Cove",
                    "Raptor Lake-S / Raptor Lake-HX / Raptor Lake-S Refresh",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE (0xB7)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xB7u, ZVT_UARCH_E, 0u, "Gracemont",
                    "Raptor Lake-S / Raptor Lake-HX / Raptor Lake-S Refresh",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE (0xB7)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBAu, 0u, 0u, "Raptor Cove + Gracemont",
                    "Raptor Lake-P / Raptor Lake-H / Raptor Lake-U",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE_P (0xBA)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBAu, ZVT_UARCH_P, 0u, "Raptor Cove",
                    "Raptor Lake-P / Raptor Lake-H / Raptor Lake-U",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE_P (0xBA)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBAu, ZVT_UARCH_E, 0u, "Gracemont",
                    "Raptor Lake-P / Raptor Lake-H / Raptor Lake-U",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE_P (0xBA)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBFu, 0u, 0u, "Golden Cove", "Raptor Lake-S / Raptor Lake-S Refresh",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE_S (0xBF): Alder Lake C0/H0 dies (1.25 MB L2 per P-core); "
                                 "a processor without core type has P-cores only"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBFu, ZVT_UARCH_P, 0u, "Golden Cove",
                    "Raptor Lake-S / Raptor Lake-S Refresh",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE_S (0xBF): Alder Lake C0/H0 dies"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBFu, ZVT_UARCH_E, 0u, "Gracemont",
                    "Raptor Lake-S / Raptor Lake-S Refresh",
                    ZVT_UARCH_KF "INTEL_RAPTORLAKE_S (0xBF): Alder Lake C0/H0 dies"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xAAu, 0u, 0u, "Redwood Cove + Crestmont",
                    "Meteor Lake-H / Meteor Lake-U", ZVT_UARCH_KF "INTEL_METEORLAKE_L (0xAA)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xAAu, ZVT_UARCH_P, 0u, "Redwood Cove", "Meteor Lake-H / Meteor Lake-U",
                    ZVT_UARCH_KF "INTEL_METEORLAKE_L (0xAA)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xAAu, ZVT_UARCH_E, 0u, "Crestmont", "Meteor Lake-H / Meteor Lake-U",
                    ZVT_UARCH_KF "INTEL_METEORLAKE_L (0xAA); INTEL_ATOM_CMT_NATIVE_ID"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xACu, 0u, 0u, "Redwood Cove + Crestmont", "Meteor Lake",
                    ZVT_UARCH_KF "INTEL_METEORLAKE (0xAC) /* Redwood Cove / Crestmont */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xACu, ZVT_UARCH_P, 0u, "Redwood Cove", "Meteor Lake",
                    ZVT_UARCH_KF "INTEL_METEORLAKE (0xAC)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xACu, ZVT_UARCH_E, 0u, "Crestmont", "Meteor Lake",
                    ZVT_UARCH_KF "INTEL_METEORLAKE (0xAC)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xB5u, 0u, 0u, "Redwood Cove + Crestmont", "Arrow Lake-U",
                    ZVT_UARCH_KF
                    "INTEL_ARROWLAKE_U (0xB5); Intel Core Ultra 200U: Meteor Lake cores on Intel 3"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xB5u, ZVT_UARCH_P, 0u, "Redwood Cove", "Arrow Lake-U",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE_U (0xB5); Intel Core Ultra 200U"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xB5u, ZVT_UARCH_E, 0u, "Crestmont", "Arrow Lake-U",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE_U (0xB5); Intel Core Ultra 200U"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC5u, 0u, 0u, "Lion Cove + Skymont + Crestmont", "Arrow Lake-H",
                    ZVT_UARCH_KF
                    "INTEL_ARROWLAKE_H (0xC5) /* Lion Cove / Skymont */; low-power E-cores Crestmont"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC5u, ZVT_UARCH_P, 0u, "Lion Cove", "Arrow Lake-H",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE_H (0xC5)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC5u, ZVT_UARCH_E, 0u, "Skymont / Crestmont", "Arrow Lake-H",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE_H (0xC5): E-cores Skymont, low-power E-cores Crestmont"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC5u, ZVT_UARCH_E, 3u, "Skymont", "Arrow Lake-H",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE_H (0xC5); INTEL_ATOM_SKT_NATIVE_ID (3)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC5u, ZVT_UARCH_E, 2u, "Crestmont", "Arrow Lake-H",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE_H (0xC5); INTEL_ATOM_CMT_NATIVE_ID (2)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC6u, 0u, 0u, "Lion Cove + Skymont", "Arrow Lake-S / Arrow Lake-HX",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE (0xC6)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC6u, ZVT_UARCH_P, 0u, "Lion Cove", "Arrow Lake-S / Arrow Lake-HX",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE (0xC6)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xC6u, ZVT_UARCH_E, 0u, "Skymont", "Arrow Lake-S / Arrow Lake-HX",
                    ZVT_UARCH_KF "INTEL_ARROWLAKE (0xC6)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBDu, 0u, 0u, "Lion Cove + Skymont", "Lunar Lake",
                    ZVT_UARCH_KF "INTEL_LUNARLAKE_M (0xBD) /* Lion Cove / Skymont */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBDu, ZVT_UARCH_P, 0u, "Lion Cove", "Lunar Lake",
                    ZVT_UARCH_KF "INTEL_LUNARLAKE_M (0xBD)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xBDu, ZVT_UARCH_E, 0u, "Skymont", "Lunar Lake",
                    ZVT_UARCH_KF "INTEL_LUNARLAKE_M (0xBD)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xCCu, 0u, 0u, "Cougar Cove + Darkmont", "Panther Lake",
                    ZVT_UARCH_KF "INTEL_PANTHERLAKE_L (0xCC) /* Cougar Cove / Darkmont */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xCCu, ZVT_UARCH_P, 0u, "Cougar Cove", "Panther Lake",
                    ZVT_UARCH_KF "INTEL_PANTHERLAKE_L (0xCC)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xCCu, ZVT_UARCH_E, 0u, "Darkmont", "Panther Lake",
                    ZVT_UARCH_KF "INTEL_PANTHERLAKE_L (0xCC)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xE5u, 0u, 0u, "Cougar Cove + Darkmont", "Panther Lake-R",
                    ZVT_UARCH_KF "INTEL_PANTHERLAKE_R (0xE5) /* Cougar Cove / Darkmont */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xE5u, ZVT_UARCH_P, 0u, "Cougar Cove", "Panther Lake-R",
                    ZVT_UARCH_KF "INTEL_PANTHERLAKE_R (0xE5)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xE5u, ZVT_UARCH_E, 0u, "Darkmont", "Panther Lake-R",
                    ZVT_UARCH_KF "INTEL_PANTHERLAKE_R (0xE5)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xD5u, 0u, 0u, "Cougar Cove + Darkmont", "Wildcat Lake",
                    ZVT_UARCH_KF "INTEL_WILDCATLAKE_L (0xD5); Intel Core Series 3: Panther Lake cores"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xD5u, ZVT_UARCH_P, 0u, "Cougar Cove", "Wildcat Lake",
                    ZVT_UARCH_KF "INTEL_WILDCATLAKE_L (0xD5); Intel Core Series 3"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 6u, 0xD5u, ZVT_UARCH_E, 0u, "Darkmont", "Wildcat Lake",
                    ZVT_UARCH_KF "INTEL_WILDCATLAKE_L (0xD5); Intel Core Series 3"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 0x12u, 0x01u, 0u, 0u, "Coyote Cove + Arctic Wolf", "Nova Lake",
                    ZVT_UARCH_KF "INTEL_NOVALAKE (18, 0x01) /* Coyote Cove / Arctic Wolf */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 0x12u, 0x01u, ZVT_UARCH_P, 0u, "Coyote Cove", "Nova Lake",
                    ZVT_UARCH_KF "INTEL_NOVALAKE (18, 0x01)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 0x12u, 0x01u, ZVT_UARCH_E, 0u, "Arctic Wolf", "Nova Lake",
                    ZVT_UARCH_KF "INTEL_NOVALAKE (18, 0x01)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 0x12u, 0x03u, 0u, 0u, "Coyote Cove + Arctic Wolf", "Nova Lake",
                    ZVT_UARCH_KF "INTEL_NOVALAKE_L (18, 0x03) /* Coyote Cove / Arctic Wolf */"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 0x12u, 0x03u, ZVT_UARCH_P, 0u, "Coyote Cove", "Nova Lake",
                    ZVT_UARCH_KF "INTEL_NOVALAKE_L (18, 0x03)"),
        ZVT_UARCH_C(ZVT_UARCH_IN, 0x12u, 0x03u, ZVT_UARCH_E, 0u, "Arctic Wolf", "Nova Lake",
                    ZVT_UARCH_KF "INTEL_NOVALAKE_L (18, 0x03)"),
        // ---- Atom and E-core lines, Xeon Phi
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x1Cu, 0x1Cu, "Bonnell", "Diamondville / Pineview",
                    ZVT_UARCH_KF "INTEL_ATOM_BONNELL (0x1C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x26u, 0x26u, "Bonnell", "Silverthorne / Lincroft",
                    ZVT_UARCH_KF "INTEL_ATOM_BONNELL_MID (0x26)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x27u, 0x27u, "Saltwell", "Penwell",
                    ZVT_UARCH_KF "INTEL_ATOM_SALTWELL_MID (0x27)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x35u, 0x35u, "Saltwell", "Cloverview",
                    ZVT_UARCH_KF "INTEL_ATOM_SALTWELL_TABLET (0x35)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x36u, 0x36u, "Saltwell", "Cedarview",
                    ZVT_UARCH_KF "INTEL_ATOM_SALTWELL (0x36)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x37u, 0x37u, "Silvermont", "Bay Trail",
                    ZVT_UARCH_KF "INTEL_ATOM_SILVERMONT (0x37)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x4Au, 0x4Au, "Silvermont", "Merrifield",
                    ZVT_UARCH_KF "INTEL_ATOM_SILVERMONT_MID (0x4A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x4Du, 0x4Du, "Silvermont", "Avoton / Rangeley",
                    ZVT_UARCH_KF "INTEL_ATOM_SILVERMONT_D (0x4D)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x5Au, 0x5Au, "Silvermont", "Anniedale / Moorefield",
                    ZVT_UARCH_KF "INTEL_ATOM_SILVERMONT_MID2 (0x5A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x4Cu, 0x4Cu, "Airmont", "Cherry Trail / Braswell",
                    ZVT_UARCH_KF "INTEL_ATOM_AIRMONT (0x4C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x75u, 0x75u, "Airmont", "Lightning Mountain",
                    ZVT_UARCH_KF "INTEL_ATOM_AIRMONT_NP (0x75)"),
        ZVT_UARCH_B(ZVT_UARCH_IN, 6u, 0x75u, 0x0u, 0xFu, "Spreadtrum", "Airmont", "SC9853I",
                    "brand split: " ZVT_UARCH_KF
                    "INTEL_ATOM_AIRMONT_NP (0x75) is also Spreadtrum's SC9853I-IA (eight Intel Airmont "
                    "cores), named by its brand string"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x5Cu, 0x5Cu, "Goldmont", "Apollo Lake",
                    ZVT_UARCH_KF "INTEL_ATOM_GOLDMONT (0x5C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x5Fu, 0x5Fu, "Goldmont", "Denverton",
                    ZVT_UARCH_KF "INTEL_ATOM_GOLDMONT_D (0x5F)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x7Au, 0x7Au, "Goldmont Plus", "Gemini Lake / Gemini Lake Refresh",
                    ZVT_UARCH_KF "INTEL_ATOM_GOLDMONT_PLUS (0x7A)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x86u, 0x86u, "Tremont", "Jacobsville / Snow Ridge",
                    ZVT_UARCH_KF "INTEL_ATOM_TREMONT_D (0x86)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x96u, 0x96u, "Tremont", "Elkhart Lake",
                    ZVT_UARCH_KF "INTEL_ATOM_TREMONT (0x96)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x9Cu, 0x9Cu, "Tremont", "Jasper Lake",
                    ZVT_UARCH_KF "INTEL_ATOM_TREMONT_L (0x9C)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xBEu, 0xBEu, "Gracemont", "Alder Lake-N",
                    ZVT_UARCH_KF "INTEL_ATOM_GRACEMONT (0xBE)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xAFu, 0xAFu, "Crestmont", "Sierra Forest",
                    ZVT_UARCH_KF "INTEL_ATOM_CRESTMONT_X (0xAF)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xB6u, 0xB6u, "Crestmont", "Grand Ridge",
                    ZVT_UARCH_KF "INTEL_ATOM_CRESTMONT (0xB6)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0xDDu, 0xDDu, "Darkmont", "Clearwater Forest",
                    ZVT_UARCH_KF "INTEL_ATOM_DARKMONT_X (0xDD)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x57u, 0x57u, "Knights Landing", "Knights Landing",
                    ZVT_UARCH_KF "INTEL_XEON_PHI_KNL (0x57)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 6u, 0x85u, 0x85u, "Knights Mill", "Knights Mill",
                    ZVT_UARCH_KF "INTEL_XEON_PHI_KNM (0x85)"),
        // ---- Intel family 15: NetBurst
        ZVT_UARCH_M(ZVT_UARCH_IN, 0xFu, 0x00u, 0x00u, "NetBurst", "Willamette",
                    ZVT_UARCH_KL "family 15 model 0; Intel AP-485 (180 nm Pentium 4)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 0xFu, 0x01u, 0x01u, "NetBurst", "Willamette / Foster",
                    ZVT_UARCH_KF "INTEL_P4_WILLAMETTE (15, 0x01) /* Also Xeon Foster */"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 0xFu, 0x02u, 0x02u, "NetBurst", "Northwood / Prestonia / Gallatin",
                    ZVT_UARCH_KL "family 15 model 2 (Pentium 4 (Northwood))"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 0xFu, 0x03u, 0x03u, "NetBurst", "Prescott / Nocona",
                    ZVT_UARCH_KF "INTEL_P4_PRESCOTT (15, 0x03)"),
        ZVT_UARCH_M(
            ZVT_UARCH_IN, 0xFu, 0x04u, 0x04u, "NetBurst",
            "Prescott / Prescott-2M / Smithfield / Nocona / Irwindale / Cranford / Potomac / Paxville",
            ZVT_UARCH_KF "INTEL_P4_PRESCOTT_2M (15, 0x04)"),
        ZVT_UARCH_M(ZVT_UARCH_IN, 0xFu, 0x06u, 0x06u, "NetBurst", "Cedar Mill / Presler / Dempsey / Tulsa",
                    ZVT_UARCH_KF
                    "INTEL_P4_CEDARMILL (15, 0x06) /* Also Xeon Dempsey */; Xeon 7100 (Tulsa) datasheet"),
        ZVT_UARCH_F(ZVT_UARCH_IN, 0xFu, "NetBurst", ZVT_UARCH_KF "/* Family 15 - NetBurst */"),
        // ---- AMD families 4 to 6
        ZVT_UARCH_M(ZVT_UARCH_AM, 4u, 0x03u, 0x03u, "Am486", "Am486DX2",
                    "Linux amd.c legacy_models family 4 model 3"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 4u, 0x07u, 0x07u, "Am486", "Am486DX2 (write-back)",
                    "Linux amd.c legacy_models family 4 model 7"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 4u, 0x08u, 0x08u, "Am486", "Am486DX4",
                    "Linux amd.c legacy_models family 4 model 8"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 4u, 0x09u, 0x09u, "Am486", "Am486DX4 (write-back)",
                    "Linux amd.c legacy_models family 4 model 9"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 4u, 0x0Eu, 0x0Fu, "Am486", "Am5x86",
                    "Linux amd.c legacy_models family 4 models 14, 15 (Am5x86)"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 4u, "Am486", "Linux amd.c legacy_models family 4"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x00u, 0x00u, "K5", "SSA/5",
                    "AMD Processor Recognition application note (K5 model 0); Linux 2.4 setup.c (K5/SSA5)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x01u, 0x03u, "K5", "5k86",
                    "AMD Processor Recognition application note (K5 models 1-3)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x06u, 0x06u, "K6", "K6", ZVT_UARCH_NB "AMD family 5 model 6 (K6)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x07u, 0x07u, "K6", "Little Foot",
                    ZVT_UARCH_NB "AMD family 5 model 7 (K6, 0.25 um)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x08u, 0x08u, "K6", "Chomper",
                    ZVT_UARCH_NB "AMD family 5 model 8 (K6-2)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x09u, 0x09u, "K6", "Sharptooth",
                    ZVT_UARCH_NB "AMD family 5 model 9 (K6-III)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x0Au, 0x0Au, "Geode LX", "Geode LX",
                    "Linux asm/geode.h is_geode_lx (AMD 5/10)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 5u, 0x0Du, 0x0Du, "K6", "K6-2+ / K6-III+",
                    ZVT_UARCH_NB "AMD family 5 model 13 (K6-2+/III+)"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 5u, "K5/K6", ZVT_UARCH_NB "AMD family 5 (K5 or K6)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x01u, 0x01u, "K7", "Argon",
                    ZVT_UARCH_NB "AMD family 6 model 1; AMD Athlon Model 1 data sheet"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x02u, 0x02u, "K7", "Pluto / Orion",
                    ZVT_UARCH_NB "AMD family 6 model 2; AMD Athlon Model 2 data sheet"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x03u, 0x03u, "K7", "Spitfire",
                    ZVT_UARCH_NB "AMD family 6 model 3 (Duron); AMD Duron Model 3 data sheet"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x04u, 0x04u, "K7", "Thunderbird",
                    ZVT_UARCH_NB "AMD family 6 model 4 (Thunderbird)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x06u, 0x06u, "K7", "Palomino",
                    ZVT_UARCH_NB "AMD family 6 model 6 (Palomino)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x07u, 0x07u, "K7", "Morgan",
                    ZVT_UARCH_NB "AMD family 6 model 7 (Morgan)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x08u, 0x08u, "K7", "Thoroughbred / Applebred",
                    "AMD Athlon XP Processor Model 8 data sheet"),
        ZVT_UARCH_B(ZVT_UARCH_AM, 6u, 0x08u, 0x0u, 0xFu, "Geode", "K7", "Geode NX",
                    "brand split: AMD Geode NX data book (Thoroughbred core, family 6 model 8), named by its "
                    "brand string"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 6u, 0x0Au, 0x0Au, "K7", "Barton / Thorton",
                    "AMD Athlon XP Processor Model 10 data sheet"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 6u, "K7", ZVT_UARCH_NB "AMD family 6 (K7 (Athlon))"),
        // ---- AMD family 0xF (K8) by revision: extended model 0 rev. B/C, 1 rev. D, 2-3 rev. E, 4-5 rev. F,
        // 6-7 rev. G
        ZVT_UARCH_M(ZVT_UARCH_AM, 0xFu, 0x04u, 0x0Fu, "K8",
                    "ClawHammer / SledgeHammer / Newcastle / Paris / Odessa",
                    ZVT_UARCH_RG "AMD Athlon 64 and AMD Opteron Processors (25759), rev. B/C (130 nm)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0xFu, 0x10u, 0x1Fu, "K8", "Winchester / Oakville / Palermo",
                    ZVT_UARCH_RG
                    "AMD Athlon 64 and AMD Opteron Processors (25759), rev. D; Linux amd64_edac K8_REV_D"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0xFu, 0x20u, 0x3Fu, "K8",
                    "Venice / San Diego / Toledo / Manchester / Palermo / Lancaster / Troy / Venus / Denmark "
                    "/ Italy / Egypt / Athens",
                    ZVT_UARCH_RG
                    "AMD Athlon 64 and AMD Opteron Processors (25759), rev. E; Linux amd64_edac K8_REV_E"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0xFu, 0x40u, 0x5Fu, "K8",
                    "Windsor / Orleans / Manila / Santa Ana / Santa Rosa / Taylor / Trinidad / Keene",
                    ZVT_UARCH_RG "AMD NPT Family 0Fh Processors (33610), rev. F; Linux amd64_edac K8_REV_F"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0xFu, 0x60u, 0x7Fu, "K8",
                    "Brisbane / Lima / Sparta / Tyler / Sherman / Huron",
                    ZVT_UARCH_RG "AMD NPT Family 0Fh Processors (33610), rev. G (65 nm)"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0xFu, "K8",
                    ZVT_UARCH_RG "AMD Athlon 64 and AMD Opteron Processors (25759)"),
        // ---- AMD families 0x10 to 0x16
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x02u, 0x02u, "K10", "Barcelona / Agena / Toliman / Kuma",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): DR-B2/B3, 00100F2xh"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x04u, 0x04u, "K10", "Deneb / Shanghai / Heka / Callisto",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): RB-C2/C3, 00100F4xh"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x05u, 0x05u, "K10", "Propus / Rana",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): BL-C2/C3, 00100F5xh"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x06u, 0x06u, "K10", "Regor / Sargas / Caspian / Champlain",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): DA-C2/C3, 00100F6xh"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x08u, 0x08u, "K10", "Istanbul / Lisbon",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): HY-D0/D1, 00100F8xh"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x09u, 0x09u, "K10", "Magny-Cours / Maranello",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): HY-D1, 00100F9xh"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x10u, 0x0Au, 0x0Au, "K10", "Thuban / Zosma",
                    ZVT_UARCH_RG "AMD Family 10h Processors (41322): PH-E0, 00100FAxh"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x10u, "K10", ZVT_UARCH_RG "AMD Family 10h Processors (41322)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x11u, 0x03u, 0x03u, "K8", "Griffin",
                    ZVT_UARCH_RG "AMD Family 11h Processors (41788): LG-B1, 00200F31h"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x11u, "K8", ZVT_UARCH_RG "AMD Family 11h Processors (41788)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x12u, 0x01u, 0x01u, "K10", "Llano",
                    ZVT_UARCH_RG "AMD Family 12h Processors (44739): LN-B0, 00300F10h"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x12u, "K10", ZVT_UARCH_RG "AMD Family 12h Processors (44739)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x14u, 0x01u, 0x02u, "Bobcat", "Ontario / Zacate / Desna / Hondo",
                    ZVT_UARCH_RG "AMD Family 14h Models 00h-0Fh Processors (47534): ON-B0, ON-C0"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x14u, "Bobcat",
                    ZVT_UARCH_RG "AMD Family 14h Models 00h-0Fh Processors (47534)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x01u, 0x01u, "Bulldozer", "Zambezi / Interlagos / Valencia",
                    ZVT_UARCH_RG "AMD Family 15h Models 00h-0Fh Processors (48063): OR-B2"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x02u, 0x02u, "Piledriver", "Vishera / Abu Dhabi / Seoul / Delhi",
                    ZVT_UARCH_RG "AMD Family 15h Models 00h-0Fh Processors (48063): OR-C0"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x10u, 0x10u, "Piledriver", "Trinity",
                    ZVT_UARCH_RG "AMD Family 15h Models 10h-1Fh Processors: TN-A1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x13u, 0x13u, "Piledriver", "Richland",
                    ZVT_UARCH_RG "AMD Family 15h Models 10h-1Fh Processors: RL-A1"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x15u, 0x10u, 0x1Fu, "Piledriver",
                    ZVT_UARCH_RG "AMD Family 15h Models 10h-1Fh Processors"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x30u, 0x30u, "Steamroller", "Kaveri",
                    ZVT_UARCH_RG "AMD Family 15h Models 30h-3Fh Processors: KV-A1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x38u, 0x38u, "Steamroller", "Godavari",
                    ZVT_UARCH_RG "AMD Family 15h Models 30h-3Fh Processors (Godavari, model 38h)"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x15u, 0x30u, 0x3Fu, "Steamroller",
                    ZVT_UARCH_RG "AMD Family 15h Models 30h-3Fh Processors"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x60u, 0x60u, "Excavator", "Carrizo",
                    ZVT_UARCH_RG "AMD Family 15h Models 60h-6Fh Processors: CZ-A1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x65u, 0x65u, "Excavator", "Bristol Ridge",
                    ZVT_UARCH_RG "AMD Family 15h Models 60h-6Fh Processors: BR-A1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x15u, 0x70u, 0x70u, "Excavator", "Stoney Ridge",
                    ZVT_UARCH_RG "AMD Family 15h Models 70h-7Fh Processors (Stoney Ridge)"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x15u, 0x60u, 0x7Fu, "Excavator",
                    ZVT_UARCH_RG "AMD Family 15h Models 60h-6Fh and 70h-7Fh Processors"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x15u, "Bulldozer", ZVT_UARCH_RG "AMD Family 15h Processors"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x16u, 0x00u, 0x00u, "Jaguar", "Kabini / Temash",
                    ZVT_UARCH_RG "AMD Family 16h Models 00h-0Fh Processors (51810): KB-A1"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x16u, 0x00u, 0x0Fu, "Jaguar",
                    ZVT_UARCH_RG "AMD Family 16h Models 00h-0Fh Processors (51810)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x16u, 0x30u, 0x30u, "Puma", "Beema / Mullins",
                    ZVT_UARCH_RG "AMD Family 16h Models 30h-3Fh Processors: ML-A1"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x16u, 0x30u, 0x3Fu, "Puma",
                    ZVT_UARCH_RG "AMD Family 16h Models 30h-3Fh Processors"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x16u, "Jaguar", ZVT_UARCH_RG "AMD Family 16h Processors"),
        // ---- AMD family 0x17: Zen, Zen+, Zen 2
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x01u, 0x01u, "Zen", "Summit Ridge / Naples / Whitehaven",
                    ZVT_UARCH_RG "AMD Family 17h Models 00h-0Fh Processors (55449): ZP-B1/B2"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x08u, 0x08u, "Zen+", "Pinnacle Ridge / Colfax",
                    ZVT_UARCH_RG "AMD Family 17h Models 00h-0Fh Processors (55449): PiR-B2"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x11u, 0x11u, "Zen", "Raven Ridge",
                    ZVT_UARCH_RG "AMD Family 17h Models 10h-1Fh Processors: RV-B1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x18u, 0x18u, "Zen+", "Picasso",
                    ZVT_UARCH_RG "AMD Family 17h Models 10h-1Fh Processors: PCO-B1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x20u, 0x20u, "Zen", "Dali / Pollock",
                    "AMD 3000 series mobile (Dali, Pollock): family 17h model 20h; " ZVT_UARCH_ZEN
                    "17h 00h-2Fh Zen1"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x31u, 0x31u, "Zen 2", "Rome / Castle Peak",
                    ZVT_UARCH_RG "AMD Family 17h Models 30h-3Fh Processors: SSP-B0"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x60u, 0x60u, "Zen 2", "Renoir",
                    "AMD PPR for Family 17h Model 60h (Renoir)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x68u, 0x68u, "Zen 2", "Lucienne",
                    "AMD Ryzen 5000U with Zen 2 cores (Lucienne): family 17h model 68h; " ZVT_UARCH_ZEN
                    "17h 60h-7Fh Zen2"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x71u, 0x71u, "Zen 2", "Matisse",
                    "AMD PPR for Family 17h Model 71h (Matisse)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0x90u, 0x90u, "Zen 2", "Van Gogh / Aerith",
                    "AMD Van Gogh APU (Steam Deck: Aerith): family 17h model 90h; " ZVT_UARCH_ZEN
                    "17h 90h-91h Zen2"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x17u, 0xA0u, 0xA0u, "Zen 2", "Mendocino",
                    "AMD Ryzen 7020 series (Mendocino): family 17h model A0h; " ZVT_UARCH_ZEN
                    "17h A0h-AFh Zen2"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x17u, 0x00u, 0x2Fu, "Zen", ZVT_UARCH_ZEN "17h 00h-2Fh Zen1"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x17u, 0x50u, 0x5Fu, "Zen", ZVT_UARCH_ZEN "17h 50h-5Fh Zen1"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x17u, 0x30u, 0x4Fu, "Zen 2", ZVT_UARCH_ZEN "17h 30h-4Fh Zen2"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x17u, 0x60u, 0x7Fu, "Zen 2", ZVT_UARCH_ZEN "17h 60h-7Fh Zen2"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x17u, 0x90u, 0x91u, "Zen 2", ZVT_UARCH_ZEN "17h 90h-91h Zen2"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x17u, 0xA0u, 0xAFu, "Zen 2", ZVT_UARCH_ZEN "17h A0h-AFh Zen2"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x17u, "Zen/Zen+/Zen 2", ZVT_UARCH_ZEN "family 17h"),
        // ---- AMD family 0x19: Zen 3, Zen 4
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x01u, 0x01u, "Zen 3", "Milan",
                    ZVT_UARCH_RG "AMD Family 19h Models 00h-0Fh Processors (Milan)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x08u, 0x08u, "Zen 3", "Chagall",
                    "AMD Ryzen Threadripper PRO 5000WX (Chagall): family 19h model 08h; " ZVT_UARCH_ZEN
                    "19h 00h-0Fh Zen3"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x10u, 0x11u, "Zen 4", "Genoa",
                    ZVT_UARCH_RG "AMD Family 19h Models 10h-1Fh Processors (Genoa)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x18u, 0x18u, "Zen 4", "Storm Peak",
                    "AMD Ryzen Threadripper 7000 (Storm Peak): family 19h model 18h; " ZVT_UARCH_ZEN
                    "19h 10h-1Fh Zen4"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x21u, 0x21u, "Zen 3", "Vermeer",
                    ZVT_UARCH_RG "AMD Family 19h Models 20h-2Fh Processors (Vermeer)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x44u, 0x44u, "Zen 3+", "Rembrandt / Rembrandt-R",
                    ZVT_UARCH_RG "AMD Family 19h Models 40h-4Fh Processors (Rembrandt)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x50u, 0x50u, "Zen 3", "Cezanne / Barcelo",
                    ZVT_UARCH_RG "AMD Family 19h Models 50h-5Fh Processors (Cezanne, Barcelo)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x61u, 0x61u, "Zen 4", "Raphael / Dragon Range",
                    ZVT_UARCH_RG "AMD Family 19h Models 60h-6Fh Processors (Raphael)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0x74u, 0x75u, "Zen 4", "Phoenix / Hawk Point",
                    ZVT_UARCH_RG "AMD Family 19h Models 70h-7Fh Processors (Phoenix 74h, Hawk Point 75h)"),
        ZVT_UARCH_M(
            ZVT_UARCH_AM, 0x19u, 0x78u, 0x78u, "Zen 4 + Zen 4c", "Phoenix 2",
            ZVT_UARCH_RG
            "AMD Family 19h Models 70h-7Fh Processors; Ryzen Z1, 8500G: Phoenix 2, Zen 4 and Zen 4c cores"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x19u, 0xA0u, 0xA0u, "Zen 4c", "Bergamo / Siena",
                    ZVT_UARCH_RG "AMD Family 19h Models A0h-AFh Processors (Bergamo, Siena: Zen 4c)"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x19u, 0x00u, 0x0Fu, "Zen 3", ZVT_UARCH_ZEN "19h 00h-0Fh Zen3"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x19u, 0x20u, 0x5Fu, "Zen 3", ZVT_UARCH_ZEN "19h 20h-5Fh Zen3"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x19u, 0x10u, 0x1Fu, "Zen 4", ZVT_UARCH_ZEN "19h 10h-1Fh Zen4"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x19u, 0x60u, 0xAFu, "Zen 4", ZVT_UARCH_ZEN "19h 60h-AFh Zen4"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x19u, "Zen 3/Zen 4", ZVT_UARCH_ZEN "family 19h"),
        // ---- AMD family 0x1A: Zen 5, Zen 6
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x1Au, 0x02u, 0x02u, "Zen 5", "Turin",
                    "AMD PPR for Family 1Ah Model 02h (Turin)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x1Au, 0x11u, 0x11u, "Zen 5c", "Turin Dense",
                    "AMD PPR for Family 1Ah Model 11h (Turin Dense)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x1Au, 0x24u, 0x24u, "Zen 5 + Zen 5c", "Strix Point",
                    "AMD PPR for Family 1Ah Model 24h (Strix Point)"),
        ZVT_UARCH_M(ZVT_UARCH_AM, 0x1Au, 0x44u, 0x44u, "Zen 5", "Granite Ridge / Fire Range",
                    "AMD PPR for Family 1Ah Model 44h (Granite Ridge)"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x1Au, 0x00u, 0x2Fu, "Zen 5", ZVT_UARCH_ZEN "1Ah 00h-2Fh Zen5"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x1Au, 0x40u, 0x4Fu, "Zen 5", ZVT_UARCH_ZEN "1Ah 40h-4Fh Zen5"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x1Au, 0x60u, 0x7Fu, "Zen 5", ZVT_UARCH_ZEN "1Ah 60h-7Fh Zen5"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x1Au, 0x50u, 0x5Fu, "Zen 6", ZVT_UARCH_ZEN "1Ah 50h-5Fh Zen6"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x1Au, 0x80u, 0xAFu, "Zen 6", ZVT_UARCH_ZEN "1Ah 80h-AFh Zen6"),
        ZVT_UARCH_G(ZVT_UARCH_AM, 0x1Au, 0xC0u, 0xCFu, "Zen 6", ZVT_UARCH_ZEN "1Ah C0h-CFh Zen6"),
        ZVT_UARCH_F(ZVT_UARCH_AM, 0x1Au, "Zen 5/Zen 6", ZVT_UARCH_ZEN "family 1Ah"),
        // ---- Hygon
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_HYGON, 0x18u, 0x00u, 0x00u, "Zen", "Dhyana",
                    "Linux arch/x86/kernel/cpu/hygon.c (family 18h, Zen-based Dhyana)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_HYGON, 0x18u, "Dhyana",
                    "Linux arch/x86/kernel/cpu/hygon.c (family 18h)"),
        // ---- Centaur: IDT WinChip, VIA C3, C7, Nano
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR, 5u, 0x04u, 0x04u, "WinChip", "WinChip C6",
                    "Linux centaur.c (5/4: WinChip C6)"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 5u, 0x08u, 0x0u, 0x6u, "WinChip", "WinChip 2",
                    "Linux centaur.c (5/8: WinChip 2)"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 5u, 0x08u, 0x7u, 0x9u, "WinChip", "WinChip 2A",
                    "Linux centaur.c (5/8 steppings 7-9: WinChip 2A)"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 5u, 0x08u, 0xAu, 0xFu, "WinChip", "WinChip 2B",
                    "Linux centaur.c (5/8 steppings 10-15: WinChip 2B)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR, 5u, 0x09u, 0x09u, "WinChip", "WinChip 3",
                    "Linux centaur.c (5/9: WinChip 3)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_CENTAUR, 5u, "WinChip", "Linux centaur.c (family 5: WinChip)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x06u, 0x06u, "Samuel", "C5A",
                    ZVT_UARCH_LH "(6/6: C3 'Samuel' [C5A])"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x07u, 0x0u, 0x7u, "Samuel 2", "C5B",
                    ZVT_UARCH_LH "(6/7 steppings 0-7: C3 'Samuel 2' [C5B])"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x07u, 0x8u, 0xFu, "Ezra", "C5C",
                    ZVT_UARCH_LH "(6/7 steppings 8-15: C3 'Ezra' [C5C])"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x08u, 0x08u, "Ezra-T", "C5M",
                    ZVT_UARCH_LH "(6/8: C3 'Ezra-T' [C5M])"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x09u, 0x0u, 0x1u, "Nehemiah", "C5XLOE",
                    ZVT_UARCH_LH "(6/9 steppings 0-1: C3 'Nehemiah A' [C5XLOE])"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x09u, 0x2u, 0x4u, "Nehemiah", "C5XLOH",
                    ZVT_UARCH_LH "(6/9 steppings 2-4: C3 'Nehemiah B' [C5XLOH])"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x09u, 0x5u, 0xFu, "Nehemiah", "C5P",
                    ZVT_UARCH_LH "(6/9 steppings 5-15: C3 'Nehemiah C' [C5P])"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x0Au, 0x0Au, "Esther", "C7",
                    ZVT_UARCH_LH "(6/10: VIA C7)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x0Du, 0x0Du, "Esther", "C7",
                    "VIA C7-M/C7-D (Esther) data sheets, model 0xD"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x0Fu, 0x0u, 0xAu, "Isaiah", "Nano / Nano X2 / QuadCore",
                    "Linux events/zhaoxin/core.c (Nano FMS: 6/F steppings 0-A, C-D)"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR, 6u, 0x0Fu, 0xCu, 0xDu, "Isaiah", "Nano / Nano X2 / QuadCore",
                    "Linux events/zhaoxin/core.c (Nano FMS: 6/F steppings 0-A, C-D)"),
        ZVT_UARCH_S(
            ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 6u, 0x0Fu, 0xEu, 0xFu, "Isaiah II", "Eden X4",
            "Linux events/zhaoxin/core.c (ZXC FMS: 6/F steppings E-F); VIA Isaiah II (28 nm, four cores)"),
        ZVT_UARCH_B(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 6u, 0x0Fu, 0xEu, 0xFu, "Zhaoxin", "ZhangJiang", "ZX-C",
                    "brand split: Linux events/zhaoxin/core.c (ZXC FMS: 6/F steppings E-F), the silicon of "
                    "VIA's Eden X4; a Zhaoxin brand string is the ZX-C"),
        ZVT_UARCH_S(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 6u, 0x19u, 0x0u, 0x3u, "ZhangJiang", "ZX-C",
                    "Linux events/zhaoxin/core.c (ZXC FMS: 6/0x19 steppings 0-3)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 6u, "C3/C7/Nano",
                    "Linux centaur.c (family 6: C3, C7, Nano)"),
        // ---- Zhaoxin family 7
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 7u, 0x1Bu, 0x1Bu, "WuDaoKou", "KX-5000 / KH-20000",
                    "Zhaoxin Linux patch zhaoxin-family.h ZHAOXIN_FAM7_WUDAOKOU (0x1B)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 7u, 0x3Bu, 0x3Bu, "LuJiaZui",
                    "KX-6000 / KX-6000G / KH-30000",
                    "Zhaoxin Linux patch zhaoxin-family.h ZHAOXIN_FAM7_LUJIAZUI (0x3B)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 7u, 0x5Bu, 0x5Bu, "YongFeng", "KH-40000",
                    "Zhaoxin Linux patch zhaoxin-family.h ZHAOXIN_FAM7_YONGFENG (0x5B)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 7u, 0x6Bu, 0x6Bu, "ShiJiDaDao", "KX-7000",
                    "QEMU x86 CPU model ShiJiDaDao (ZHAOXIN KaiXian KX-7000, family 7 model 107)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_CENTAUR_ZHAOXIN, 7u, "WuDaoKou/LuJiaZui/YongFeng",
                    "Zhaoxin Linux patch zhaoxin-family.h (family 7)"),
        // ---- Cyrix, NexGen, Transmeta, Rise, NSC, SiS, UMC
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CYRIX, 4u, 0x04u, 0x04u, "MediaGX", "MediaGX",
                    ZVT_UARCH_NB "Cyrix family 4 model 4 (MediaGX)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CYRIX, 5u, 0x02u, 0x02u, "6x86", "M1",
                    ZVT_UARCH_NB "Cyrix family 5 model 2 (6x86)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CYRIX, 5u, 0x04u, 0x04u, "MediaGX", "GXm",
                    ZVT_UARCH_NB "Cyrix family 5 model 4 (MMX-enhanced MediaGX (GXm))"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_CYRIX, 6u, 0x00u, 0x00u, "6x86MX", "M2",
                    ZVT_UARCH_NB "Cyrix family 6 model 0 (6x86MX)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_NEXGEN, 5u, 0x00u, 0x00u, "Nx586", "Nx586",
                    "Linux 2.4 setup.c cpu_models (NexGen 5/0: Nx586)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_TRANSMETA, 5u, "Crusoe", ZVT_UARCH_NB "Transmeta family 5 (Crusoe)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_TRANSMETA, 0xFu, "Efficeon",
                    "Transmeta Efficeon TM8000 (Pentium 4-class, family 15)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_RISE, 5u, 0x00u, 0x00u, "mP6", "iDragon",
                    "Linux 2.4 setup.c cpu_models (Rise 5/0: iDragon)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_RISE, 5u, 0x02u, 0x02u, "mP6", "iDragon",
                    "Linux 2.4 setup.c cpu_models (Rise 5/2: iDragon)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_RISE, 5u, 0x08u, 0x09u, "mP6", "iDragon II",
                    "Linux 2.4 setup.c cpu_models (Rise 5/8, 5/9: iDragon II)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_RISE, 5u, "mP6", "Linux 2.4 setup.c cpu_models (Rise family 5)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_NSC, 5u, 0x05u, 0x05u, "Geode GX", "Geode GX",
                    "Linux asm/geode.h is_geode_gx (NSC 5/5)"),
        ZVT_UARCH_F(ZVT_UARCH_VENDOR_NSC, 5u, "Geode", "Linux asm/geode.h (NSC family 5: Geode)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_SIS, 5u, 0x04u, 0x04u, "mP6", "SiS55x",
                    "Linux 2.4 setup.c cpu_models (SiS 5/4: SiS55x)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_UMC, 4u, 0x01u, 0x01u, "U5", "U5D",
                    "Linux umc.c legacy_models (UMC 4/1: U5D)"),
        ZVT_UARCH_M(ZVT_UARCH_VENDOR_UMC, 4u, 0x02u, 0x02u, "U5", "U5S",
                    "Linux umc.c legacy_models (UMC 4/2: U5S)"),
    };
    return index < sizeof rows / sizeof rows[0] ? &rows[index] : NULL;
}

#undef ZVT_UARCH_ROW_OF
#undef ZVT_UARCH_M
#undef ZVT_UARCH_S
#undef ZVT_UARCH_C
#undef ZVT_UARCH_B
#undef ZVT_UARCH_G
#undef ZVT_UARCH_F
#undef ZVT_UARCH_IN
#undef ZVT_UARCH_AM
#undef ZVT_UARCH_P
#undef ZVT_UARCH_E
#undef ZVT_UARCH_KF
#undef ZVT_UARCH_KL
#undef ZVT_UARCH_ZEN
#undef ZVT_UARCH_RG
#undef ZVT_UARCH_NB
#undef ZVT_UARCH_LH

// How many rows the table has.
ZVT_UARCH_INLINE size_t zvtGetUarchRowCount(void)
{
    size_t count = 0;
    while (zvtGetUarchRow(count) != NULL)
        ++count;
    return count;
}

// The vendor of a leaf 0 vendor string (12 characters, the rest ignored), ZVT_UARCH_VENDOR_UNKNOWN for
// another or NULL.
ZVT_UARCH_INLINE uint32_t zvtGetUarchVendor(const char* vendor)
{
    static const struct
    {
        const char* text;
        uint32_t vendor;
    } names[] = {
        {"GenuineIntel", ZVT_UARCH_VENDOR_INTEL},     {"AuthenticAMD", ZVT_UARCH_VENDOR_AMD},
        {"AMDisbetter!", ZVT_UARCH_VENDOR_AMD},       {"HygonGenuine", ZVT_UARCH_VENDOR_HYGON},
        {"CentaurHauls", ZVT_UARCH_VENDOR_CENTAUR},   {"VIA VIA VIA ", ZVT_UARCH_VENDOR_CENTAUR},
        {"  Shanghai  ", ZVT_UARCH_VENDOR_ZHAOXIN},   {"CyrixInstead", ZVT_UARCH_VENDOR_CYRIX},
        {"NexGenDriven", ZVT_UARCH_VENDOR_NEXGEN},    {"GenuineTMx86", ZVT_UARCH_VENDOR_TRANSMETA},
        {"TransmetaCPU", ZVT_UARCH_VENDOR_TRANSMETA}, {"RiseRiseRise", ZVT_UARCH_VENDOR_RISE},
        {"Geode by NSC", ZVT_UARCH_VENDOR_NSC},       {"SiS SiS SiS ", ZVT_UARCH_VENDOR_SIS},
        {"UMC UMC UMC ", ZVT_UARCH_VENDOR_UMC},
    };
    size_t i;
    size_t c;
    if (vendor == NULL)
        return ZVT_UARCH_VENDOR_UNKNOWN;
    for (i = 0; i < sizeof names / sizeof names[0]; ++i)
    {
        // Stops at the first difference, so a shorter string is never read past its end.
        for (c = 0; c < 12 && vendor[c] == names[i].text[c]; ++c)
        {
        }
        if (c == 12)
            return names[i].vendor;
    }
    return ZVT_UARCH_VENDOR_UNKNOWN;
}

// Splits leaf 1 EAX into the displayed family, model and stepping, by the vendor's rule (above).
ZVT_UARCH_INLINE void zvtGetUarchSignature(uint32_t vendor, uint32_t leaf1Eax, uint32_t* family,
                                           uint32_t* model, uint32_t* stepping)
{
    const uint32_t baseFamily = (leaf1Eax >> 8) & 0xFu;
    const uint32_t baseModel = (leaf1Eax >> 4) & 0xFu;
    const uint32_t extendedModel = (leaf1Eax >> 16) & 0xFu;
    int withExtendedModel;
    if (vendor == ZVT_UARCH_VENDOR_AMD || vendor == ZVT_UARCH_VENDOR_HYGON)
        withExtendedModel = baseFamily == 0xFu;
    else if (vendor == ZVT_UARCH_VENDOR_CENTAUR || vendor == ZVT_UARCH_VENDOR_ZHAOXIN)
        withExtendedModel = baseFamily >= 6u;
    else
        withExtendedModel = baseFamily == 6u || baseFamily == 0xFu;
    *family = baseFamily == 0xFu ? baseFamily + ((leaf1Eax >> 20) & 0xFFu) : baseFamily;
    *model = withExtendedModel ? (extendedModel << 4) | baseModel : baseModel;
    *stepping = leaf1Eax & 0xFu;
}

// The name of a ZVT_UARCH.kind: "exact", "generation", "family", "unknown".
ZVT_UARCH_INLINE const char* zvtGetUarchKindName(int32_t kind)
{
    switch (kind)
    {
    case ZVT_UARCH_EXACT:
        return "exact";
    case ZVT_UARCH_GENERATION:
        return "generation";
    case ZVT_UARCH_FAMILY:
        return "family";
    default:
        return "unknown";
    }
}

// 1 when text holds piece, ASCII letters of either case alike.
ZVT_UARCH_INLINE int zvtUarchContains(const char* text, const char* piece)
{
    size_t start;
    size_t i;
    for (start = 0; text[start] != '\0'; ++start)
    {
        for (i = 0; piece[i] != '\0'; ++i)
        {
            const unsigned char a = ZVT_UARCH_UCHAR(text[start + i]);
            const unsigned char b = ZVT_UARCH_UCHAR(piece[i]);
            const unsigned char lowerA = a >= 'A' && a <= 'Z' ? ZVT_UARCH_UCHAR(a + 32u) : a;
            const unsigned char lowerB = b >= 'A' && b <= 'Z' ? ZVT_UARCH_UCHAR(b + 32u) : b;
            if (lowerA != lowerB) // also at the end of text, where a is 0 and b is not
                break;
        }
        if (piece[i] == '\0')
            return 1;
    }
    return 0;
}

// Appends text to out (ZVT_UARCH_TEXT_SIZE bytes, *used of them written), cutting it short to fit.
ZVT_UARCH_INLINE void zvtUarchAppend(char* out, size_t* used, const char* text)
{
    while (*text != '\0' && *used + 1 < ZVT_UARCH_TEXT_SIZE)
        out[(*used)++] = *text++;
    out[*used] = '\0';
}

// Appends "0x" and value in lower-case hexadecimal, at least digits digits.
ZVT_UARCH_INLINE void zvtUarchAppendHex(char* out, size_t* used, uint32_t value, int digits)
{
    char text[11];
    char reversed[8];
    int count = 0;
    int i;
    do
    {
        reversed[count++] = "0123456789abcdef"[value & 0xFu];
        value >>= 4;
    } while (value != 0 && count < 8);
    while (count < digits && count < 8)
        reversed[count++] = '0';
    text[0] = '0';
    text[1] = 'x';
    for (i = 0; i < count; ++i)
        text[2 + i] = reversed[count - 1 - i];
    text[2 + count] = '\0';
    zvtUarchAppend(out, used, text);
}

// 1 when row applies to the processor.
ZVT_UARCH_INLINE int zvtUarchRowMatches(const ZVT_UARCH_ROW* row, const ZVT_UARCH* processor,
                                        const char* brand)
{
    return (row->vendors & processor->vendor) != 0 && row->family == processor->family &&
           processor->model >= row->modelFirst && processor->model <= row->modelLast &&
           processor->stepping >= row->steppingFirst && processor->stepping <= row->steppingLast &&
           (row->coreType == ZVT_UARCH_CORE_ANY || row->coreType == processor->coreType) &&
           (row->nativeModel == 0 || row->nativeModel == processor->nativeModel) &&
           (row->brand == NULL || (brand != NULL && zvtUarchContains(brand, row->brand)));
}

// How narrow a row is: a brand text over a native model ID over a core type.
ZVT_UARCH_INLINE int zvtUarchRowWeight(const ZVT_UARCH_ROW* row)
{
    return (row->brand != NULL ? 4 : 0) + (row->nativeModel != 0 ? 2 : 0) +
           (row->coreType != ZVT_UARCH_CORE_ANY ? 1 : 0);
}

// Looks the processor up: vendor is the leaf 0 string ("GenuineIntel"), family, model and stepping the
// displayed ones (zvtGetUarchSignature), brand the brand string or NULL, leaf1aEax leaf 0x1A EAX or 0.
// Fills *result and returns its kind.
ZVT_UARCH_INLINE int32_t zvtGetUarch(const char* vendor, uint32_t family, uint32_t model, uint32_t stepping,
                                     const char* brand, uint32_t leaf1aEax, ZVT_UARCH* result)
{
    const ZVT_UARCH_ROW* row;
    const ZVT_UARCH_ROW* best = NULL;
    size_t index;
    size_t bestIndex = 0;
    size_t used = 0;
    int32_t level;
    result->kind = ZVT_UARCH_UNKNOWN;
    result->row = -1;
    result->vendor = zvtGetUarchVendor(vendor);
    result->family = family;
    result->model = model;
    result->stepping = stepping;
    result->coreType = leaf1aEax >> 24;
    result->nativeModel = leaf1aEax & 0xFFFFFFu;
    result->uarch = "unknown";
    result->codename = "unknown";
    result->generation = "unknown";
    result->source = "";
    result->text[0] = '\0';
    for (level = ZVT_UARCH_ROW_MODEL; level <= ZVT_UARCH_ROW_FAMILY && best == NULL; ++level)
    {
        for (index = 0; (row = zvtGetUarchRow(index)) != NULL; ++index)
        {
            if (row->level == level && zvtUarchRowMatches(row, result, brand) &&
                (best == NULL || zvtUarchRowWeight(row) > zvtUarchRowWeight(best)))
            {
                best = row;
                bestIndex = index;
            }
        }
    }
    if (best != NULL)
    {
        result->row = ZVT_UARCH_I32(bestIndex);
        result->source = best->source;
        result->generation = best->uarch;
        if (best->level == ZVT_UARCH_ROW_FAMILY)
        {
            result->kind = ZVT_UARCH_FAMILY;
            zvtUarchAppend(result->text, &used, best->uarch);
            zvtUarchAppend(result->text, &used, " family (model ");
            zvtUarchAppendHex(result->text, &used, model, 2);
            zvtUarchAppend(result->text, &used, ")");
            return result->kind;
        }
        result->uarch = best->uarch;
        zvtUarchAppend(result->text, &used, best->uarch);
        zvtUarchAppend(result->text, &used, " (");
        if (best->level == ZVT_UARCH_ROW_MODEL)
        {
            result->kind = ZVT_UARCH_EXACT;
            result->codename = best->codename;
            zvtUarchAppend(result->text, &used, best->codename);
            zvtUarchAppend(result->text, &used, ")");
            return result->kind;
        }
        result->kind = ZVT_UARCH_GENERATION;
        zvtUarchAppend(result->text, &used, "family ");
    }
    else
    {
        zvtUarchAppend(result->text, &used, "unknown (family ");
    }
    zvtUarchAppendHex(result->text, &used, family, 1);
    zvtUarchAppend(result->text, &used, ", model ");
    zvtUarchAppendHex(result->text, &used, model, 2);
    zvtUarchAppend(result->text, &used, ")");
    return result->kind;
}

// Looks up the processor of an identity record (zvtGetIdentity): leaf 0's vendor, leaf 1's signature, the
// brand string of 0x80000002-4 when the record has them, and leaf 0x1A EAX when it is within the highest
// basic leaf. A record without leaf 1 is ZVT_UARCH_UNKNOWN.
ZVT_UARCH_INLINE int32_t zvtGetUarchOfIdentity(const ZVT_CPU_IDENTITY* identity, ZVT_UARCH* result)
{
    const uint32_t vendorRegisters[3] = {identity->basic[0].ebx, identity->basic[0].edx,
                                         identity->basic[0].ecx};
    const uint32_t highestBasic = identity->basic[0].eax;
    const uint32_t highestExtended = identity->extended[0].eax;
    char vendor[13];
    char brand[49];
    uint32_t family = 0;
    uint32_t model = 0;
    uint32_t stepping = 0;
    uint32_t leaf1aEax = 0;
    size_t i;
    for (i = 0; i < 12; ++i)
        vendor[i] = ZVT_UARCH_CHAR((vendorRegisters[i / 4] >> (8u * (i % 4))) & 0xFFu);
    vendor[12] = '\0';
    brand[0] = '\0';
    if ((highestExtended & 0xFFFF0000u) == 0x80000000u && highestExtended >= 0x80000004u)
    {
        for (i = 0; i < 48; ++i)
        {
            const ZVT_CPUID_LEAF* leaf = &identity->extended[2 + i / 16];
            const uint32_t registers[4] = {leaf->eax, leaf->ebx, leaf->ecx, leaf->edx};
            brand[i] = ZVT_UARCH_CHAR((registers[(i % 16) / 4] >> (8u * (i % 4))) & 0xFFu);
        }
        brand[48] = '\0';
    }
    if (highestBasic < 1)
        return zvtGetUarch(vendor, 0, 0, 0, NULL, 0, result);
    zvtGetUarchSignature(zvtGetUarchVendor(vendor), identity->basic[1].eax, &family, &model, &stepping);
    if (highestBasic >= 0x1Au) // the record holds leaves 0 to 63 of those the processor has
        leaf1aEax = identity->basic[0x1A].eax;
    return zvtGetUarch(vendor, family, model, stepping, brand[0] != '\0' ? brand : NULL, leaf1aEax, result);
}

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_UARCH_H
