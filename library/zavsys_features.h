// zavsys_features.h - decodes the identity record of zvtGetIdentity, or any view of CPUID answers (a whole
// dump): every feature flag its leaves define, the x86-64 micro-architecture level, XCR0 state the flags
// need, AVX10's version, caches and TLBs, address sizes. Header only, for C99/C11 and C++, 32-bit and 64-bit;
// needs zavsys.h and zavsys_cpuid.h. Nothing here calls the DLL, and only zvtReadXcr0 executes an
// instruction.
//
// What the record holds: basic leaves 0..min(highest, 63) and extended leaves 0x80000000..min(highest,
// 0x8000003F), each asked with sub-leaf 0. A leaf above the record's highest basic leaf (leaf 0 EAX) or
// highest extended leaf (leaf 0x80000000 EAX), or past the 64 entries, reads as absent: all its flags are
// clear. The record's own reading (zvtReadFlags, zvtHasFlag, the levels) covers words 0..10 as it always has.
// Every word, those of other sub-leaves included (leaf 7 sub-leaves 1 and 2: avx_vnni, avx512_bf16, amx_fp16
// ...; leaf 0xD sub-leaf 1: xsaveopt, xsavec, xgetbv1, xsaves), is read from a view: zvtReadFlagsFromView.
// A view of the record says "unknown" for the sub-leaves it lacks rather than guess.
//
// Flags are numbered word * 32 + bit, one word per register below. A number is never reused or moved; a new
// register gets the next free word. Names are the Linux /proc/cpuinfo names where one exists, otherwise the
// lower-case name of the bit in the vendor's manual.
#ifndef ZAVSYS_FEATURES_H
#define ZAVSYS_FEATURES_H

#include "zavsys.h"
#include "zavsys_cpuid.h"

#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L)
#define ZVT_INLINE static inline
#else
#define ZVT_INLINE static __inline
#endif

// A conversion that C++ warnings accept; every use holds a value that fits.
#ifdef __cplusplus
#define ZVT_I32(value) static_cast<int32_t>(value)
#else
#define ZVT_I32(value) ((int32_t)(value))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The words: which leaf and register each one copies (read through ZVT_WORD_TABLE below).
#define ZVT_WORD_1_EDX 0         // basic leaf 1 EDX
#define ZVT_WORD_1_ECX 1         // basic leaf 1 ECX
#define ZVT_WORD_7_EBX 2         // leaf 7 sub-leaf 0 EBX
#define ZVT_WORD_7_ECX 3         // leaf 7 sub-leaf 0 ECX (bits 17..21 are a number, MAWAU, not flags)
#define ZVT_WORD_7_EDX 4         // leaf 7 sub-leaf 0 EDX
#define ZVT_WORD_80000001_EDX 5  // extended leaf 0x80000001 EDX
#define ZVT_WORD_80000001_ECX 6  // extended leaf 0x80000001 ECX
#define ZVT_WORD_80000007_EDX 7  // extended leaf 0x80000007 EDX (power management)
#define ZVT_WORD_80000008_EBX 8  // extended leaf 0x80000008 EBX
#define ZVT_WORD_XCR0_LOW 9      // leaf 0xD sub-leaf 0 EAX: XCR0 bits 0..31 the processor supports
#define ZVT_WORD_XCR0_HIGH 10    // leaf 0xD sub-leaf 0 EDX: XCR0 bits 32..63 the processor supports
#define ZVT_WORD_6_EAX 11        // basic leaf 6 EAX (thermal and power management)
#define ZVT_WORD_7_1_EAX 12      // leaf 7 sub-leaf 1 EAX
#define ZVT_WORD_7_1_EDX 13      // leaf 7 sub-leaf 1 EDX
#define ZVT_WORD_7_2_EDX 14      // leaf 7 sub-leaf 2 EDX
#define ZVT_WORD_D_1_EAX 15      // leaf 0xD sub-leaf 1 EAX (the XSAVE instructions)
#define ZVT_WORD_14_EBX 16       // leaf 0x14 sub-leaf 0 EBX (processor trace)
#define ZVT_WORD_19_EBX 17       // leaf 0x19 EBX (Key Locker)
#define ZVT_WORD_8000000A_EDX 18 // extended leaf 0x8000000A EDX (secure virtual machine)
#define ZVT_WORD_80000007_EBX 19 // extended leaf 0x80000007 EBX (RAS)
#define ZVT_WORD_8000001F_EAX 20 // extended leaf 0x8000001F EAX (memory encryption)
#define ZVT_WORD_80000021_EAX 21 // extended leaf 0x80000021 EAX (extended features 2)
#define ZVT_FLAG_WORDS 22
// The words the identity record's own reading covers (zvtReadFlagWord, zvtReadFlags, zvtHasFlag): 0..10, as
// it always has. Later words read as 0 there; read them from a view (zvtReadFlagsFromView).
#define ZVT_IDENTITY_FLAG_WORDS 11

// Each list below is ENTRY(ID, word, bit, "name") for one word, in bit order; ZVT_FLAG_<ID> is the flag.
#define ZVT_FLAGS_1_EDX(ENTRY)                                                                               \
    ENTRY(FPU, 0, 0, "fpu")                                                                                  \
    ENTRY(VME, 0, 1, "vme")                                                                                  \
    ENTRY(DE, 0, 2, "de")                                                                                    \
    ENTRY(PSE, 0, 3, "pse")                                                                                  \
    ENTRY(TSC, 0, 4, "tsc")                                                                                  \
    ENTRY(MSR, 0, 5, "msr")                                                                                  \
    ENTRY(PAE, 0, 6, "pae")                                                                                  \
    ENTRY(MCE, 0, 7, "mce")                                                                                  \
    ENTRY(CX8, 0, 8, "cx8")                                                                                  \
    ENTRY(APIC, 0, 9, "apic")                                                                                \
    ENTRY(SEP, 0, 11, "sep")                                                                                 \
    ENTRY(MTRR, 0, 12, "mtrr")                                                                               \
    ENTRY(PGE, 0, 13, "pge")                                                                                 \
    ENTRY(MCA, 0, 14, "mca")                                                                                 \
    ENTRY(CMOV, 0, 15, "cmov")                                                                               \
    ENTRY(PAT, 0, 16, "pat")                                                                                 \
    ENTRY(PSE36, 0, 17, "pse36")                                                                             \
    ENTRY(PN, 0, 18, "pn")                                                                                   \
    ENTRY(CLFLUSH, 0, 19, "clflush")                                                                         \
    ENTRY(DTS, 0, 21, "dts")                                                                                 \
    ENTRY(ACPI, 0, 22, "acpi")                                                                               \
    ENTRY(MMX, 0, 23, "mmx")                                                                                 \
    ENTRY(FXSR, 0, 24, "fxsr")                                                                               \
    ENTRY(SSE, 0, 25, "sse")                                                                                 \
    ENTRY(SSE2, 0, 26, "sse2")                                                                               \
    ENTRY(SS, 0, 27, "ss")                                                                                   \
    ENTRY(HT, 0, 28, "ht")                                                                                   \
    ENTRY(TM, 0, 29, "tm")                                                                                   \
    ENTRY(IA64, 0, 30, "ia64")                                                                               \
    ENTRY(PBE, 0, 31, "pbe")

// OSXSAVE (bit 27) is the operating system's switch CR4.OSXSAVE as seen when the record was made.
#define ZVT_FLAGS_1_ECX(ENTRY)                                                                               \
    ENTRY(PNI, 1, 0, "pni")                                                                                  \
    ENTRY(PCLMULQDQ, 1, 1, "pclmulqdq")                                                                      \
    ENTRY(DTES64, 1, 2, "dtes64")                                                                            \
    ENTRY(MONITOR, 1, 3, "monitor")                                                                          \
    ENTRY(DS_CPL, 1, 4, "ds_cpl")                                                                            \
    ENTRY(VMX, 1, 5, "vmx")                                                                                  \
    ENTRY(SMX, 1, 6, "smx")                                                                                  \
    ENTRY(EST, 1, 7, "est")                                                                                  \
    ENTRY(TM2, 1, 8, "tm2")                                                                                  \
    ENTRY(SSSE3, 1, 9, "ssse3")                                                                              \
    ENTRY(CID, 1, 10, "cid")                                                                                 \
    ENTRY(SDBG, 1, 11, "sdbg")                                                                               \
    ENTRY(FMA, 1, 12, "fma")                                                                                 \
    ENTRY(CX16, 1, 13, "cx16")                                                                               \
    ENTRY(XTPR, 1, 14, "xtpr")                                                                               \
    ENTRY(PDCM, 1, 15, "pdcm")                                                                               \
    ENTRY(PCID, 1, 17, "pcid")                                                                               \
    ENTRY(DCA, 1, 18, "dca")                                                                                 \
    ENTRY(SSE4_1, 1, 19, "sse4_1")                                                                           \
    ENTRY(SSE4_2, 1, 20, "sse4_2")                                                                           \
    ENTRY(X2APIC, 1, 21, "x2apic")                                                                           \
    ENTRY(MOVBE, 1, 22, "movbe")                                                                             \
    ENTRY(POPCNT, 1, 23, "popcnt")                                                                           \
    ENTRY(TSC_DEADLINE_TIMER, 1, 24, "tsc_deadline_timer")                                                   \
    ENTRY(AES, 1, 25, "aes")                                                                                 \
    ENTRY(XSAVE, 1, 26, "xsave")                                                                             \
    ENTRY(OSXSAVE, 1, 27, "osxsave")                                                                         \
    ENTRY(AVX, 1, 28, "avx")                                                                                 \
    ENTRY(F16C, 1, 29, "f16c")                                                                               \
    ENTRY(RDRAND, 1, 30, "rdrand")                                                                           \
    ENTRY(HYPERVISOR, 1, 31, "hypervisor")

#define ZVT_FLAGS_7_EBX(ENTRY)                                                                               \
    ENTRY(FSGSBASE, 2, 0, "fsgsbase")                                                                        \
    ENTRY(TSC_ADJUST, 2, 1, "tsc_adjust")                                                                    \
    ENTRY(SGX, 2, 2, "sgx")                                                                                  \
    ENTRY(BMI1, 2, 3, "bmi1")                                                                                \
    ENTRY(HLE, 2, 4, "hle")                                                                                  \
    ENTRY(AVX2, 2, 5, "avx2")                                                                                \
    ENTRY(FDP_EXCPTN_ONLY, 2, 6, "fdp_excptn_only")                                                          \
    ENTRY(SMEP, 2, 7, "smep")                                                                                \
    ENTRY(BMI2, 2, 8, "bmi2")                                                                                \
    ENTRY(ERMS, 2, 9, "erms")                                                                                \
    ENTRY(INVPCID, 2, 10, "invpcid")                                                                         \
    ENTRY(RTM, 2, 11, "rtm")                                                                                 \
    ENTRY(CQM, 2, 12, "cqm")                                                                                 \
    ENTRY(ZERO_FCS_FDS, 2, 13, "zero_fcs_fds")                                                               \
    ENTRY(MPX, 2, 14, "mpx")                                                                                 \
    ENTRY(RDT_A, 2, 15, "rdt_a")                                                                             \
    ENTRY(AVX512F, 2, 16, "avx512f")                                                                         \
    ENTRY(AVX512DQ, 2, 17, "avx512dq")                                                                       \
    ENTRY(RDSEED, 2, 18, "rdseed")                                                                           \
    ENTRY(ADX, 2, 19, "adx")                                                                                 \
    ENTRY(SMAP, 2, 20, "smap")                                                                               \
    ENTRY(AVX512IFMA, 2, 21, "avx512ifma")                                                                   \
    ENTRY(PCOMMIT, 2, 22, "pcommit")                                                                         \
    ENTRY(CLFLUSHOPT, 2, 23, "clflushopt")                                                                   \
    ENTRY(CLWB, 2, 24, "clwb")                                                                               \
    ENTRY(INTEL_PT, 2, 25, "intel_pt")                                                                       \
    ENTRY(AVX512PF, 2, 26, "avx512pf")                                                                       \
    ENTRY(AVX512ER, 2, 27, "avx512er")                                                                       \
    ENTRY(AVX512CD, 2, 28, "avx512cd")                                                                       \
    ENTRY(SHA_NI, 2, 29, "sha_ni")                                                                           \
    ENTRY(AVX512BW, 2, 30, "avx512bw")                                                                       \
    ENTRY(AVX512VL, 2, 31, "avx512vl")

#define ZVT_FLAGS_7_ECX(ENTRY)                                                                               \
    ENTRY(PREFETCHWT1, 3, 0, "prefetchwt1")                                                                  \
    ENTRY(AVX512VBMI, 3, 1, "avx512vbmi")                                                                    \
    ENTRY(UMIP, 3, 2, "umip")                                                                                \
    ENTRY(PKU, 3, 3, "pku")                                                                                  \
    ENTRY(OSPKE, 3, 4, "ospke")                                                                              \
    ENTRY(WAITPKG, 3, 5, "waitpkg")                                                                          \
    ENTRY(AVX512_VBMI2, 3, 6, "avx512_vbmi2")                                                                \
    ENTRY(SHSTK, 3, 7, "shstk")                                                                              \
    ENTRY(GFNI, 3, 8, "gfni")                                                                                \
    ENTRY(VAES, 3, 9, "vaes")                                                                                \
    ENTRY(VPCLMULQDQ, 3, 10, "vpclmulqdq")                                                                   \
    ENTRY(AVX512_VNNI, 3, 11, "avx512_vnni")                                                                 \
    ENTRY(AVX512_BITALG, 3, 12, "avx512_bitalg")                                                             \
    ENTRY(TME, 3, 13, "tme")                                                                                 \
    ENTRY(AVX512_VPOPCNTDQ, 3, 14, "avx512_vpopcntdq")                                                       \
    ENTRY(LA57, 3, 16, "la57")                                                                               \
    ENTRY(RDPID, 3, 22, "rdpid")                                                                             \
    ENTRY(KL, 3, 23, "kl")                                                                                   \
    ENTRY(BUS_LOCK_DETECT, 3, 24, "bus_lock_detect")                                                         \
    ENTRY(CLDEMOTE, 3, 25, "cldemote")                                                                       \
    ENTRY(MOVDIRI, 3, 27, "movdiri")                                                                         \
    ENTRY(MOVDIR64B, 3, 28, "movdir64b")                                                                     \
    ENTRY(ENQCMD, 3, 29, "enqcmd")                                                                           \
    ENTRY(SGX_LC, 3, 30, "sgx_lc")                                                                           \
    ENTRY(PKS, 3, 31, "pks")

#define ZVT_FLAGS_7_EDX(ENTRY)                                                                               \
    ENTRY(SGX_KEYS, 4, 1, "sgx_keys")                                                                        \
    ENTRY(AVX512_4VNNIW, 4, 2, "avx512_4vnniw")                                                              \
    ENTRY(AVX512_4FMAPS, 4, 3, "avx512_4fmaps")                                                              \
    ENTRY(FSRM, 4, 4, "fsrm")                                                                                \
    ENTRY(UINTR, 4, 5, "uintr")                                                                              \
    ENTRY(AVX512_VP2INTERSECT, 4, 8, "avx512_vp2intersect")                                                  \
    ENTRY(SRBDS_CTRL, 4, 9, "srbds_ctrl")                                                                    \
    ENTRY(MD_CLEAR, 4, 10, "md_clear")                                                                       \
    ENTRY(RTM_ALWAYS_ABORT, 4, 11, "rtm_always_abort")                                                       \
    ENTRY(TSX_FORCE_ABORT, 4, 13, "tsx_force_abort")                                                         \
    ENTRY(SERIALIZE, 4, 14, "serialize")                                                                     \
    ENTRY(HYBRID_CPU, 4, 15, "hybrid_cpu")                                                                   \
    ENTRY(TSXLDTRK, 4, 16, "tsxldtrk")                                                                       \
    ENTRY(PCONFIG, 4, 18, "pconfig")                                                                         \
    ENTRY(ARCH_LBR, 4, 19, "arch_lbr")                                                                       \
    ENTRY(IBT, 4, 20, "ibt")                                                                                 \
    ENTRY(AMX_BF16, 4, 22, "amx_bf16")                                                                       \
    ENTRY(AVX512_FP16, 4, 23, "avx512_fp16")                                                                 \
    ENTRY(AMX_TILE, 4, 24, "amx_tile")                                                                       \
    ENTRY(AMX_INT8, 4, 25, "amx_int8")                                                                       \
    ENTRY(SPEC_CTRL, 4, 26, "spec_ctrl")                                                                     \
    ENTRY(INTEL_STIBP, 4, 27, "intel_stibp")                                                                 \
    ENTRY(FLUSH_L1D, 4, 28, "flush_l1d")                                                                     \
    ENTRY(ARCH_CAPABILITIES, 4, 29, "arch_capabilities")                                                     \
    ENTRY(CORE_CAPABILITIES, 4, 30, "core_capabilities")                                                     \
    ENTRY(SPEC_CTRL_SSBD, 4, 31, "spec_ctrl_ssbd")

// Only the bits with a meaning of their own. On AMD, bits 0..9, 12..17, 23 and 24 repeat leaf 1 EDX; they
// get no second name (use ZVT_FLAG_FPU etc.), and Intel leaves them clear. Intel sets syscall (bit 11) only
// when CPUID runs in 64-bit mode, so a 32-bit caller on Intel sees it clear.
#define ZVT_FLAGS_80000001_EDX(ENTRY)                                                                        \
    ENTRY(SYSCALL, 5, 11, "syscall")                                                                         \
    ENTRY(MP, 5, 19, "mp")                                                                                   \
    ENTRY(NX, 5, 20, "nx")                                                                                   \
    ENTRY(MMXEXT, 5, 22, "mmxext")                                                                           \
    ENTRY(FXSR_OPT, 5, 25, "fxsr_opt")                                                                       \
    ENTRY(PDPE1GB, 5, 26, "pdpe1gb")                                                                         \
    ENTRY(RDTSCP, 5, 27, "rdtscp")                                                                           \
    ENTRY(LM, 5, 29, "lm")                                                                                   \
    ENTRY(3DNOWEXT, 5, 30, "3dnowext")                                                                       \
    ENTRY(3DNOW, 5, 31, "3dnow")

// abm (bit 5) is LZCNT on every vendor.
#define ZVT_FLAGS_80000001_ECX(ENTRY)                                                                        \
    ENTRY(LAHF_LM, 6, 0, "lahf_lm")                                                                          \
    ENTRY(CMP_LEGACY, 6, 1, "cmp_legacy")                                                                    \
    ENTRY(SVM, 6, 2, "svm")                                                                                  \
    ENTRY(EXTAPIC, 6, 3, "extapic")                                                                          \
    ENTRY(CR8_LEGACY, 6, 4, "cr8_legacy")                                                                    \
    ENTRY(ABM, 6, 5, "abm")                                                                                  \
    ENTRY(SSE4A, 6, 6, "sse4a")                                                                              \
    ENTRY(MISALIGNSSE, 6, 7, "misalignsse")                                                                  \
    ENTRY(3DNOWPREFETCH, 6, 8, "3dnowprefetch")                                                              \
    ENTRY(OSVW, 6, 9, "osvw")                                                                                \
    ENTRY(IBS, 6, 10, "ibs")                                                                                 \
    ENTRY(XOP, 6, 11, "xop")                                                                                 \
    ENTRY(SKINIT, 6, 12, "skinit")                                                                           \
    ENTRY(WDT, 6, 13, "wdt")                                                                                 \
    ENTRY(LWP, 6, 15, "lwp")                                                                                 \
    ENTRY(FMA4, 6, 16, "fma4")                                                                               \
    ENTRY(TCE, 6, 17, "tce")                                                                                 \
    ENTRY(NODEID_MSR, 6, 19, "nodeid_msr")                                                                   \
    ENTRY(TBM, 6, 21, "tbm")                                                                                 \
    ENTRY(TOPOEXT, 6, 22, "topoext")                                                                         \
    ENTRY(PERFCTR_CORE, 6, 23, "perfctr_core")                                                               \
    ENTRY(PERFCTR_NB, 6, 24, "perfctr_nb")                                                                   \
    ENTRY(BPEXT, 6, 26, "bpext")                                                                             \
    ENTRY(PTSC, 6, 27, "ptsc")                                                                               \
    ENTRY(PERFCTR_LLC, 6, 28, "perfctr_llc")                                                                 \
    ENTRY(MWAITX, 6, 29, "mwaitx")

// Power management. Intel defines only bit 8 (invariant TSC; Linux shows it as constant_tsc and
// nonstop_tsc). htc is AMD's hardware thermal control, which Linux's power line calls "tm".
#define ZVT_FLAGS_80000007_EDX(ENTRY)                                                                        \
    ENTRY(TS, 7, 0, "ts")                                                                                    \
    ENTRY(FID, 7, 1, "fid")                                                                                  \
    ENTRY(VID, 7, 2, "vid")                                                                                  \
    ENTRY(TTP, 7, 3, "ttp")                                                                                  \
    ENTRY(HTC, 7, 4, "htc")                                                                                  \
    ENTRY(STC, 7, 5, "stc")                                                                                  \
    ENTRY(100MHZSTEPS, 7, 6, "100mhzsteps")                                                                  \
    ENTRY(HW_PSTATE, 7, 7, "hw_pstate")                                                                      \
    ENTRY(CONSTANT_TSC, 7, 8, "constant_tsc")                                                                \
    ENTRY(CPB, 7, 9, "cpb")                                                                                  \
    ENTRY(EFF_FREQ_RO, 7, 10, "eff_freq_ro")                                                                 \
    ENTRY(PROC_FEEDBACK, 7, 11, "proc_feedback")                                                             \
    ENTRY(ACC_POWER, 7, 12, "acc_power")                                                                     \
    ENTRY(CONNECTED_STANDBY, 7, 13, "connected_standby")                                                     \
    ENTRY(RAPL, 7, 14, "rapl")

// Intel defines only wbnoinvd (bit 9) here.
#define ZVT_FLAGS_80000008_EBX(ENTRY)                                                                        \
    ENTRY(CLZERO, 8, 0, "clzero")                                                                            \
    ENTRY(IRPERF, 8, 1, "irperf")                                                                            \
    ENTRY(XSAVEERPTR, 8, 2, "xsaveerptr")                                                                    \
    ENTRY(INVLPGB, 8, 3, "invlpgb")                                                                          \
    ENTRY(RDPRU, 8, 4, "rdpru")                                                                              \
    ENTRY(MBA, 8, 6, "mba")                                                                                  \
    ENTRY(MCOMMIT, 8, 8, "mcommit")                                                                          \
    ENTRY(WBNOINVD, 8, 9, "wbnoinvd")                                                                        \
    ENTRY(AMD_IBPB, 8, 12, "amd_ibpb")                                                                       \
    ENTRY(INT_WBINVD, 8, 13, "int_wbinvd")                                                                   \
    ENTRY(AMD_IBRS, 8, 14, "amd_ibrs")                                                                       \
    ENTRY(AMD_STIBP, 8, 15, "amd_stibp")                                                                     \
    ENTRY(AMD_IBRS_ALWAYS_ON, 8, 16, "amd_ibrs_always_on")                                                   \
    ENTRY(AMD_STIBP_ALWAYS_ON, 8, 17, "amd_stibp_always_on")                                                 \
    ENTRY(AMD_IBRS_PREFERRED, 8, 18, "amd_ibrs_preferred")                                                   \
    ENTRY(AMD_IBRS_SAME_MODE, 8, 19, "amd_ibrs_same_mode")                                                   \
    ENTRY(NO_EFER_LMSLE, 8, 20, "no_efer_lmsle")                                                             \
    ENTRY(INVLPGB_NESTED, 8, 21, "invlpgb_nested")                                                           \
    ENTRY(AMD_PPIN, 8, 23, "amd_ppin")                                                                       \
    ENTRY(AMD_SSBD, 8, 24, "amd_ssbd")                                                                       \
    ENTRY(VIRT_SSBD, 8, 25, "virt_ssbd")                                                                     \
    ENTRY(AMD_SSB_NO, 8, 26, "amd_ssb_no")                                                                   \
    ENTRY(CPPC, 8, 27, "cppc")                                                                               \
    ENTRY(AMD_PSFD, 8, 28, "amd_psfd")                                                                       \
    ENTRY(BTC_NO, 8, 29, "btc_no")                                                                           \
    ENTRY(BRS, 8, 31, "brs")

// State components the processor can enable in XCR0 (support, not what the OS enabled: see zvtReadXcr0).
// Bits that only IA32_XSS can enable (8, 10..16) read zero here.
#define ZVT_FLAGS_D_EAX(ENTRY)                                                                               \
    ENTRY(XCR0_X87, 9, 0, "xcr0_x87")                                                                        \
    ENTRY(XCR0_SSE, 9, 1, "xcr0_sse")                                                                        \
    ENTRY(XCR0_YMM, 9, 2, "xcr0_ymm")                                                                        \
    ENTRY(XCR0_BNDREGS, 9, 3, "xcr0_bndregs")                                                                \
    ENTRY(XCR0_BNDCSR, 9, 4, "xcr0_bndcsr")                                                                  \
    ENTRY(XCR0_OPMASK, 9, 5, "xcr0_opmask")                                                                  \
    ENTRY(XCR0_ZMM_HI256, 9, 6, "xcr0_zmm_hi256")                                                            \
    ENTRY(XCR0_HI16_ZMM, 9, 7, "xcr0_hi16_zmm")                                                              \
    ENTRY(XCR0_PKRU, 9, 9, "xcr0_pkru")                                                                      \
    ENTRY(XCR0_XTILECFG, 9, 17, "xcr0_xtilecfg")                                                             \
    ENTRY(XCR0_XTILEDATA, 9, 18, "xcr0_xtiledata")                                                           \
    ENTRY(XCR0_APX, 9, 19, "xcr0_apx")
#define ZVT_FLAGS_D_EDX(ENTRY) ENTRY(XCR0_LWP, 10, 30, "xcr0_lwp")

// The words below are read from a view (zavsys_cpuid.h); the identity record's own reading leaves them 0.
// Names: the kernel's (arch/x86/include/asm/cpufeatures.h, and for leaf 7 sub-leaves 1 and 2
// arch/x86/kvm/reverse_cpuid.h and arch/x86/kernel/cpu/scattered.c), shown or not in /proc/cpuinfo; where the
// kernel names a bit nowhere, the lower-case name of the bit in the vendor's manual (Intel SDM vol. 2, CPUID;
// AMD APM vol. 3, appendix E). tests/data/cpuid/cpuid-tool-names.tsv pairs each with the cpuid tool's text.

// Thermal and power management. ecmd (5) and hdc (13) are the SDM's names.
#define ZVT_FLAGS_6_EAX(ENTRY)                                                                               \
    ENTRY(DTHERM, 11, 0, "dtherm")                                                                           \
    ENTRY(IDA, 11, 1, "ida")                                                                                 \
    ENTRY(ARAT, 11, 2, "arat")                                                                               \
    ENTRY(PLN, 11, 4, "pln")                                                                                 \
    ENTRY(ECMD, 11, 5, "ecmd")                                                                               \
    ENTRY(PTS, 11, 6, "pts")                                                                                 \
    ENTRY(HWP, 11, 7, "hwp")                                                                                 \
    ENTRY(HWP_NOTIFY, 11, 8, "hwp_notify")                                                                   \
    ENTRY(HWP_ACT_WINDOW, 11, 9, "hwp_act_window")                                                           \
    ENTRY(HWP_EPP, 11, 10, "hwp_epp")                                                                        \
    ENTRY(HWP_PKG_REQ, 11, 11, "hwp_pkg_req")                                                                \
    ENTRY(HDC, 11, 13, "hdc")                                                                                \
    ENTRY(HWP_HIGHEST_PERF_CHANGE, 11, 15, "hwp_highest_perf_change")                                        \
    ENTRY(HFI, 11, 19, "hfi")

// rao_int (3), hreset (22) and msrlist (27) are the SDM's names.
#define ZVT_FLAGS_7_1_EAX(ENTRY)                                                                             \
    ENTRY(SHA512, 12, 0, "sha512")                                                                           \
    ENTRY(SM3, 12, 1, "sm3")                                                                                 \
    ENTRY(SM4, 12, 2, "sm4")                                                                                 \
    ENTRY(RAO_INT, 12, 3, "rao_int")                                                                         \
    ENTRY(AVX_VNNI, 12, 4, "avx_vnni")                                                                       \
    ENTRY(AVX512_BF16, 12, 5, "avx512_bf16")                                                                 \
    ENTRY(LASS, 12, 6, "lass")                                                                               \
    ENTRY(CMPCCXADD, 12, 7, "cmpccxadd")                                                                     \
    ENTRY(ARCH_PERFMON_EXT, 12, 8, "arch_perfmon_ext")                                                       \
    ENTRY(FZRM, 12, 10, "fzrm")                                                                              \
    ENTRY(FSRS, 12, 11, "fsrs")                                                                              \
    ENTRY(FSRC, 12, 12, "fsrc")                                                                              \
    ENTRY(FRED, 12, 17, "fred")                                                                              \
    ENTRY(LKGS, 12, 18, "lkgs")                                                                              \
    ENTRY(WRMSRNS, 12, 19, "wrmsrns")                                                                        \
    ENTRY(AMX_FP16, 12, 21, "amx_fp16")                                                                      \
    ENTRY(HRESET, 12, 22, "hreset")                                                                          \
    ENTRY(AVX_IFMA, 12, 23, "avx_ifma")                                                                      \
    ENTRY(LAM, 12, 26, "lam")                                                                                \
    ENTRY(MSRLIST, 12, 27, "msrlist")                                                                        \
    ENTRY(MOVRS, 12, 31, "movrs")

// user_msr (15) and cet_sss (18) are the SDM's names. avx10 (19) says leaf 0x24 is valid: zvtGetAvx10.
#define ZVT_FLAGS_7_1_EDX(ENTRY)                                                                             \
    ENTRY(AVX_VNNI_INT8, 13, 4, "avx_vnni_int8")                                                             \
    ENTRY(AVX_NE_CONVERT, 13, 5, "avx_ne_convert")                                                           \
    ENTRY(AMX_COMPLEX, 13, 8, "amx_complex")                                                                 \
    ENTRY(AVX_VNNI_INT16, 13, 10, "avx_vnni_int16")                                                          \
    ENTRY(PREFETCHITI, 13, 14, "prefetchiti")                                                                \
    ENTRY(USER_MSR, 13, 15, "user_msr")                                                                      \
    ENTRY(CET_SSS, 13, 18, "cet_sss")                                                                        \
    ENTRY(AVX10, 13, 19, "avx10")                                                                            \
    ENTRY(APX, 13, 21, "apx")

// Intel's speculation controls. intel_psfd is the kernel's name for Intel's PSFD; amd_psfd is AMD's.
#define ZVT_FLAGS_7_2_EDX(ENTRY)                                                                             \
    ENTRY(INTEL_PSFD, 14, 0, "intel_psfd")                                                                   \
    ENTRY(IPRED_CTRL, 14, 1, "ipred_ctrl")                                                                   \
    ENTRY(RRSBA_CTRL, 14, 2, "rrsba_ctrl")                                                                   \
    ENTRY(DDPD_U, 14, 3, "ddpd_u")                                                                           \
    ENTRY(BHI_CTRL, 14, 4, "bhi_ctrl")                                                                       \
    ENTRY(MCDT_NO, 14, 5, "mcdt_no")

#define ZVT_FLAGS_D_1_EAX(ENTRY)                                                                             \
    ENTRY(XSAVEOPT, 15, 0, "xsaveopt")                                                                       \
    ENTRY(XSAVEC, 15, 1, "xsavec")                                                                           \
    ENTRY(XGETBV1, 15, 2, "xgetbv1")                                                                         \
    ENTRY(XSAVES, 15, 3, "xsaves")                                                                           \
    ENTRY(XFD, 15, 4, "xfd")

// The capabilities the kernel's processor trace driver names (arch/x86/events/intel/pt.c); bit 6, which it
// does not name, is the SDM's "PSB and PMI preservation".
#define ZVT_FLAGS_14_EBX(ENTRY)                                                                              \
    ENTRY(CR3_FILTERING, 16, 0, "cr3_filtering")                                                             \
    ENTRY(PSB_CYC, 16, 1, "psb_cyc")                                                                         \
    ENTRY(IP_FILTERING, 16, 2, "ip_filtering")                                                               \
    ENTRY(MTC, 16, 3, "mtc")                                                                                 \
    ENTRY(PTWRITE, 16, 4, "ptwrite")                                                                         \
    ENTRY(POWER_EVENT_TRACE, 16, 5, "power_event_trace")                                                     \
    ENTRY(PSB_PMI_PRESERVATION, 16, 6, "psb_pmi_preservation")                                               \
    ENTRY(EVENT_TRACE, 16, 7, "event_trace")                                                                 \
    ENTRY(TNT_DISABLE, 16, 8, "tnt_disable")

// The kernel names none of these: the SDM's AESKLE (0), the AES wide Key Locker instructions (2), and the
// Key Locker MSRs with the backup of the internal wrapping key (4).
#define ZVT_FLAGS_19_EBX(ENTRY)                                                                              \
    ENTRY(AESKLE, 17, 0, "aeskle")                                                                           \
    ENTRY(WIDE_KL, 17, 2, "wide_kl")                                                                         \
    ENTRY(IWKEY_BACKUP, 17, 4, "iwkey_backup")

// gmet (17) and rogpt (21) are the APM's names.
#define ZVT_FLAGS_8000000A_EDX(ENTRY)                                                                        \
    ENTRY(NPT, 18, 0, "npt")                                                                                 \
    ENTRY(LBRV, 18, 1, "lbrv")                                                                               \
    ENTRY(SVM_LOCK, 18, 2, "svm_lock")                                                                       \
    ENTRY(NRIP_SAVE, 18, 3, "nrip_save")                                                                     \
    ENTRY(TSC_SCALE, 18, 4, "tsc_scale")                                                                     \
    ENTRY(VMCB_CLEAN, 18, 5, "vmcb_clean")                                                                   \
    ENTRY(FLUSHBYASID, 18, 6, "flushbyasid")                                                                 \
    ENTRY(DECODEASSISTS, 18, 7, "decodeassists")                                                             \
    ENTRY(PAUSEFILTER, 18, 10, "pausefilter")                                                                \
    ENTRY(PFTHRESHOLD, 18, 12, "pfthreshold")                                                                \
    ENTRY(AVIC, 18, 13, "avic")                                                                              \
    ENTRY(V_VMSAVE_VMLOAD, 18, 15, "v_vmsave_vmload")                                                        \
    ENTRY(VGIF, 18, 16, "vgif")                                                                              \
    ENTRY(GMET, 18, 17, "gmet")                                                                              \
    ENTRY(X2AVIC, 18, 18, "x2avic")                                                                          \
    ENTRY(V_SPEC_CTRL, 18, 20, "v_spec_ctrl")                                                                \
    ENTRY(ROGPT, 18, 21, "rogpt")                                                                            \
    ENTRY(VNMI, 18, 25, "vnmi")                                                                              \
    ENTRY(AVIC_EXTLVT, 18, 27, "avic_extlvt")                                                                \
    ENTRY(SVME_ADDR_CHK, 18, 28, "svme_addr_chk")                                                            \
    ENTRY(BUS_LOCK_THRESHOLD, 18, 29, "bus_lock_threshold")                                                  \
    ENTRY(IDLE_HLT, 18, 30, "idle_hlt")

// RAS. hwa (2) is the APM's name.
#define ZVT_FLAGS_80000007_EBX(ENTRY)                                                                        \
    ENTRY(OVERFLOW_RECOV, 19, 0, "overflow_recov")                                                           \
    ENTRY(SUCCOR, 19, 1, "succor")                                                                           \
    ENTRY(HWA, 19, 2, "hwa")                                                                                 \
    ENTRY(SMCA, 19, 3, "smca")

// Memory encryption. vmpl (5), rmpquery (6) and vte (16) are the APM's names.
#define ZVT_FLAGS_8000001F_EAX(ENTRY)                                                                        \
    ENTRY(SME, 20, 0, "sme")                                                                                 \
    ENTRY(SEV, 20, 1, "sev")                                                                                 \
    ENTRY(VM_PAGE_FLUSH, 20, 2, "vm_page_flush")                                                             \
    ENTRY(SEV_ES, 20, 3, "sev_es")                                                                           \
    ENTRY(SEV_SNP, 20, 4, "sev_snp")                                                                         \
    ENTRY(VMPL, 20, 5, "vmpl")                                                                               \
    ENTRY(RMPQUERY, 20, 6, "rmpquery")                                                                       \
    ENTRY(SNP_SECURE_TSC, 20, 8, "snp_secure_tsc")                                                           \
    ENTRY(V_TSC_AUX, 20, 9, "v_tsc_aux")                                                                     \
    ENTRY(SME_COHERENT, 20, 10, "sme_coherent")                                                              \
    ENTRY(DEBUG_SWAP, 20, 14, "debug_swap")                                                                  \
    ENTRY(VTE, 20, 16, "vte")                                                                                \
    ENTRY(RMPREAD, 20, 21, "rmpread")                                                                        \
    ENTRY(SEGMENTED_RMP, 20, 23, "segmented_rmp")                                                            \
    ENTRY(ALLOWED_SEV_FEATURES, 20, 27, "allowed_sev_features")                                              \
    ENTRY(SVSM, 20, 28, "svsm")                                                                              \
    ENTRY(HV_INUSE_WR_ALLOWED, 20, 30, "hv_inuse_wr_allowed")

// AMD's extended features 2. prefetchi (20) is AMD's; Intel's is prefetchiti in leaf 7 sub-leaf 1.
#define ZVT_FLAGS_80000021_EAX(ENTRY)                                                                        \
    ENTRY(NO_NESTED_DATA_BP, 21, 0, "no_nested_data_bp")                                                     \
    ENTRY(WRMSR_XX_BASE_NS, 21, 1, "wrmsr_xx_base_ns")                                                       \
    ENTRY(LFENCE_RDTSC, 21, 2, "lfence_rdtsc")                                                               \
    ENTRY(VERW_CLEAR, 21, 5, "verw_clear")                                                                   \
    ENTRY(NULL_SEL_CLR_BASE, 21, 6, "null_sel_clr_base")                                                     \
    ENTRY(AUTOIBRS, 21, 8, "autoibrs")                                                                       \
    ENTRY(NO_SMM_CTL_MSR, 21, 9, "no_smm_ctl_msr")                                                           \
    ENTRY(GP_ON_USER_CPUID, 21, 17, "gp_on_user_cpuid")                                                      \
    ENTRY(PREFETCHI, 21, 20, "prefetchi")                                                                    \
    ENTRY(ERAPS, 21, 24, "eraps")                                                                            \
    ENTRY(SBPB, 21, 27, "sbpb")                                                                              \
    ENTRY(IBPB_BRTYPE, 21, 28, "ibpb_brtype")                                                                \
    ENTRY(SRSO_NO, 21, 29, "srso_no")                                                                        \
    ENTRY(SRSO_USER_KERNEL_NO, 21, 30, "srso_user_kernel_no")                                                \
    ENTRY(SRSO_BP_SPEC_REDUCE, 21, 31, "srso_bp_spec_reduce")

// Where each word comes from, in word order: ROW(word, leaf, sub-leaf, register, flags) makes ZVT_WORD_<word>
// the `register` member of `leaf` at `sub-leaf`, with the flags its list names. Adding a word takes a
// ZVT_WORD_* number, one row here, and its list.
#define ZVT_WORD_TABLE(ROW)                                                                                  \
    ROW(1_EDX, 0x1u, 0, edx, ZVT_FLAGS_1_EDX)                                                                \
    ROW(1_ECX, 0x1u, 0, ecx, ZVT_FLAGS_1_ECX)                                                                \
    ROW(7_EBX, 0x7u, 0, ebx, ZVT_FLAGS_7_EBX)                                                                \
    ROW(7_ECX, 0x7u, 0, ecx, ZVT_FLAGS_7_ECX)                                                                \
    ROW(7_EDX, 0x7u, 0, edx, ZVT_FLAGS_7_EDX)                                                                \
    ROW(80000001_EDX, 0x80000001u, 0, edx, ZVT_FLAGS_80000001_EDX)                                           \
    ROW(80000001_ECX, 0x80000001u, 0, ecx, ZVT_FLAGS_80000001_ECX)                                           \
    ROW(80000007_EDX, 0x80000007u, 0, edx, ZVT_FLAGS_80000007_EDX)                                           \
    ROW(80000008_EBX, 0x80000008u, 0, ebx, ZVT_FLAGS_80000008_EBX)                                           \
    ROW(XCR0_LOW, 0xDu, 0, eax, ZVT_FLAGS_D_EAX)                                                             \
    ROW(XCR0_HIGH, 0xDu, 0, edx, ZVT_FLAGS_D_EDX)                                                            \
    ROW(6_EAX, 0x6u, 0, eax, ZVT_FLAGS_6_EAX)                                                                \
    ROW(7_1_EAX, 0x7u, 1, eax, ZVT_FLAGS_7_1_EAX)                                                            \
    ROW(7_1_EDX, 0x7u, 1, edx, ZVT_FLAGS_7_1_EDX)                                                            \
    ROW(7_2_EDX, 0x7u, 2, edx, ZVT_FLAGS_7_2_EDX)                                                            \
    ROW(D_1_EAX, 0xDu, 1, eax, ZVT_FLAGS_D_1_EAX)                                                            \
    ROW(14_EBX, 0x14u, 0, ebx, ZVT_FLAGS_14_EBX)                                                             \
    ROW(19_EBX, 0x19u, 0, ebx, ZVT_FLAGS_19_EBX)                                                             \
    ROW(8000000A_EDX, 0x8000000Au, 0, edx, ZVT_FLAGS_8000000A_EDX)                                           \
    ROW(80000007_EBX, 0x80000007u, 0, ebx, ZVT_FLAGS_80000007_EBX)                                           \
    ROW(8000001F_EAX, 0x8000001Fu, 0, eax, ZVT_FLAGS_8000001F_EAX)                                           \
    ROW(80000021_EAX, 0x80000021u, 0, eax, ZVT_FLAGS_80000021_EAX)

// The arrays below are indexed by word, so a row out of place would read one word into another's number.
// The record holds sub-leaf 0 alone: a word its own reading covers must be of sub-leaf 0.
#define ZVT_WORD_POSITION_ROW(word, leaf, subLeaf, reg, flags) ZVT_WORD_POSITION_##word,
#define ZVT_WORD_CHECK_ROW(word, leaf, subLeaf, reg, flags) &&ZVT_WORD_##word == ZVT_WORD_POSITION_##word
#define ZVT_WORD_RECORD_ROW(word, leaf, subLeaf, reg, flags)                                                 \
    &&(ZVT_WORD_##word >= ZVT_IDENTITY_FLAG_WORDS || (subLeaf) == 0)
enum
{
    ZVT_WORD_TABLE(ZVT_WORD_POSITION_ROW) ZVT_WORD_ROWS
};
ZVT_STATIC_ASSERT(ZVT_WORD_ROWS == ZVT_FLAG_WORDS, "one row per word");
ZVT_STATIC_ASSERT(1 ZVT_WORD_TABLE(ZVT_WORD_CHECK_ROW), "rows in word order");
ZVT_STATIC_ASSERT(1 ZVT_WORD_TABLE(ZVT_WORD_RECORD_ROW), "the record's words are of sub-leaf 0");

// Every flag, in number order.
#define ZVT_FLAGS(ENTRY)                                                                                     \
    ZVT_FLAGS_1_EDX(ENTRY)                                                                                   \
    ZVT_FLAGS_1_ECX(ENTRY)                                                                                   \
    ZVT_FLAGS_7_EBX(ENTRY)                                                                                   \
    ZVT_FLAGS_7_ECX(ENTRY)                                                                                   \
    ZVT_FLAGS_7_EDX(ENTRY)                                                                                   \
    ZVT_FLAGS_80000001_EDX(ENTRY)                                                                            \
    ZVT_FLAGS_80000001_ECX(ENTRY)                                                                            \
    ZVT_FLAGS_80000007_EDX(ENTRY)                                                                            \
    ZVT_FLAGS_80000008_EBX(ENTRY)                                                                            \
    ZVT_FLAGS_D_EAX(ENTRY)                                                                                   \
    ZVT_FLAGS_D_EDX(ENTRY)                                                                                   \
    ZVT_FLAGS_6_EAX(ENTRY)                                                                                   \
    ZVT_FLAGS_7_1_EAX(ENTRY)                                                                                 \
    ZVT_FLAGS_7_1_EDX(ENTRY)                                                                                 \
    ZVT_FLAGS_7_2_EDX(ENTRY)                                                                                 \
    ZVT_FLAGS_D_1_EAX(ENTRY)                                                                                 \
    ZVT_FLAGS_14_EBX(ENTRY)                                                                                  \
    ZVT_FLAGS_19_EBX(ENTRY)                                                                                  \
    ZVT_FLAGS_8000000A_EDX(ENTRY)                                                                            \
    ZVT_FLAGS_80000007_EBX(ENTRY)                                                                            \
    ZVT_FLAGS_8000001F_EAX(ENTRY)                                                                            \
    ZVT_FLAGS_80000021_EAX(ENTRY)

#define ZVT_FLAG_ENUM_ROW(id, word, bit, name) ZVT_FLAG_##id = (word)*32 + (bit),
#define ZVT_FLAG_COUNT_ROW(id, word, bit, name) +1
typedef enum ZVT_FLAG
{
    ZVT_FLAG_NONE = -1, // what zvtFindFlag returns for an unknown name
    ZVT_FLAGS(ZVT_FLAG_ENUM_ROW)
} ZVT_FLAG;
enum
{
    ZVT_FLAG_COUNT = 0 ZVT_FLAGS(ZVT_FLAG_COUNT_ROW) // how many flags are named
};

// One processor's flags, one 32-bit word per register above (ZVT_FLAG_WORDS of them); bits without a name are
// cleared.
typedef struct ZVT_FLAG_SET
{
    uint32_t words[ZVT_FLAG_WORDS];
} ZVT_FLAG_SET;

// Basic leaf `leaf` of the record, or NULL when the record does not hold it.
ZVT_INLINE const ZVT_CPUID_LEAF* zvtFindBasicLeaf(const ZVT_CPU_IDENTITY* identity, uint32_t leaf)
{
    if (leaf >= ZVT_CPUID_LEAVES || leaf > identity->basic[0].eax)
        return NULL;
    return &identity->basic[leaf];
}

// Extended leaf `leaf` (0x80000000 and up), or NULL when the record does not hold it.
ZVT_INLINE const ZVT_CPUID_LEAF* zvtFindExtendedLeaf(const ZVT_CPU_IDENTITY* identity, uint32_t leaf)
{
    const uint32_t highest = identity->extended[0].eax;
    if (leaf < 0x80000000u || leaf - 0x80000000u >= ZVT_CPUID_LEAVES || highest < 0x80000000u ||
        leaf > highest)
        return NULL;
    return &identity->extended[leaf - 0x80000000u];
}

#define ZVT_FLAG_MASK_ROW(id, word, bit, name) | (1u << (bit))
#define ZVT_WORD_MASK_ROW(word, leaf, subLeaf, reg, flags) 0u flags(ZVT_FLAG_MASK_ROW),

// The bits of a word that have a name.
ZVT_INLINE uint32_t zvtGetFlagWordMask(int word)
{
    static const uint32_t masks[ZVT_FLAG_WORDS] = {ZVT_WORD_TABLE(ZVT_WORD_MASK_ROW)};
    return word < 0 || word >= ZVT_FLAG_WORDS ? 0u : masks[word];
}

// The leaf `leaf` of either range, or NULL when the record does not hold it.
ZVT_INLINE const ZVT_CPUID_LEAF* zvtFindLeaf(const ZVT_CPU_IDENTITY* identity, uint32_t leaf)
{
    return leaf >= 0x80000000u ? zvtFindExtendedLeaf(identity, leaf) : zvtFindBasicLeaf(identity, leaf);
}

// The register of a leaf at that offset into ZVT_CPUID_LEAF.
ZVT_INLINE uint32_t zvtGetRegister(const ZVT_CPUID_LEAF* leaf, size_t offset)
{
    switch (offset)
    {
    case offsetof(ZVT_CPUID_LEAF, eax):
        return leaf->eax;
    case offsetof(ZVT_CPUID_LEAF, ebx):
        return leaf->ebx;
    case offsetof(ZVT_CPUID_LEAF, ecx):
        return leaf->ecx;
    default:
        return leaf->edx;
    }
}

#define ZVT_WORD_LEAF_ROW(word, leaf, subLeaf, reg, flags) leaf,
#define ZVT_WORD_SUBLEAF_ROW(word, leaf, subLeaf, reg, flags) subLeaf,
#define ZVT_WORD_REGISTER_ROW(word, leaf, subLeaf, reg, flags) offsetof(ZVT_CPUID_LEAF, reg),

// Where a word comes from: its leaf and sub-leaf, and its register's offset into ZVT_CPUID_LEAF. Returns 1,
// or 0 (and nothing written) for a number that is no word.
ZVT_INLINE int zvtGetFlagWordSource(int word, uint32_t* leaf, uint32_t* subleaf, size_t* registerOffset)
{
    static const uint32_t leaves[ZVT_FLAG_WORDS] = {ZVT_WORD_TABLE(ZVT_WORD_LEAF_ROW)};
    static const uint32_t subleaves[ZVT_FLAG_WORDS] = {ZVT_WORD_TABLE(ZVT_WORD_SUBLEAF_ROW)};
    static const size_t registers[ZVT_FLAG_WORDS] = {ZVT_WORD_TABLE(ZVT_WORD_REGISTER_ROW)};
    if (word < 0 || word >= ZVT_FLAG_WORDS)
        return 0;
    *leaf = leaves[word];
    *subleaf = subleaves[word];
    *registerOffset = registers[word];
    return 1;
}

// The raw register behind a word, 0 when the record does not hold its leaf. Only the words the record's own
// reading covers (below ZVT_IDENTITY_FLAG_WORDS) are read; the later ones are 0 here, whatever the record
// holds: read them from zvtViewOfIdentity's view.
ZVT_INLINE uint32_t zvtReadFlagWord(const ZVT_CPU_IDENTITY* identity, int word)
{
    uint32_t leafNumber = 0;
    uint32_t subleaf = 0;
    size_t offset = 0;
    const ZVT_CPUID_LEAF* leaf;
    if (word >= ZVT_IDENTITY_FLAG_WORDS || !zvtGetFlagWordSource(word, &leafNumber, &subleaf, &offset))
        return 0u;
    leaf = zvtFindLeaf(identity, leafNumber);
    if (leaf == NULL)
        return 0u;
    return zvtGetRegister(leaf, offset);
}

// Every flag of the record at once.
ZVT_INLINE void zvtReadFlags(const ZVT_CPU_IDENTITY* identity, ZVT_FLAG_SET* flags)
{
    int word;
    for (word = 0; word < ZVT_FLAG_WORDS; ++word)
        flags->words[word] = zvtReadFlagWord(identity, word) & zvtGetFlagWordMask(word);
}

// 1 when the set has the flag, 0 when not or when the number names no flag.
ZVT_INLINE int zvtFlagSetHas(const ZVT_FLAG_SET* flags, int flag)
{
    if (flag < 0 || flag >= ZVT_FLAG_WORDS * 32)
        return 0;
    return (flags->words[flag / 32] & zvtGetFlagWordMask(flag / 32) & (1u << (flag % 32))) != 0u;
}

// 1 when the record has the flag: its leaf is held and the bit is set.
ZVT_INLINE int zvtHasFlag(const ZVT_CPU_IDENTITY* identity, int flag)
{
    if (flag < 0 || flag >= ZVT_FLAG_WORDS * 32)
        return 0;
    return (zvtReadFlagWord(identity, flag / 32) & zvtGetFlagWordMask(flag / 32) & (1u << (flag % 32))) != 0u;
}

// ---- Reading a view: every word, from a whole dump or from the identity record ----
//
// A view (zavsys_cpuid.h) is one logical processor's CPUID answers: a whole dump with every sub-leaf
// (zvtViewOfDump, or entries of a recorded dump), or the identity record (zvtViewOfIdentity), which holds
// sub-leaf 0 of leaves 0..63 and 0x80000000..0x8000003F. For each word a view answers one of:
// - ZVT_VIEW_ABSENT: the word's leaf or sub-leaf does not exist, so its flags are clear. A basic leaf above
//   leaf 0 EAX, an extended leaf above 0x80000000 EAX (or any, when that is below 0x80000000), a sub-leaf of
//   leaf 7 above 7.0 EAX. Leaf 0xD always has sub-leaf 1. In a whole dump a leaf or sub-leaf it lacks is one
//   the processor answers with zeros, as zavsys_caches.h reads it too.
// - ZVT_VIEW_UNKNOWN: the view cannot tell. In the identity record's view: a sub-leaf other than 0 that the
//   rules above do not already rule out (7.1 with 7.0 EAX = 0 is absent there too), and a leaf past its 64
//   entries.
// - ZVT_VIEW_HELD: the register is there.
// Leaves are not gated by another flag (0x14 by intel_pt, 0x8000000A by svm ...), as the cpuid tool does not.
#define ZVT_VIEW_UNKNOWN (-1)
#define ZVT_VIEW_ABSENT 0
#define ZVT_VIEW_HELD 1

// The entry a view gives for (leaf, subleaf) under the rules above: ZVT_VIEW_HELD with *entry set (NULL when
// a whole dump lacks a valid entry, which reads as zeros), ZVT_VIEW_ABSENT or ZVT_VIEW_UNKNOWN with *entry
// NULL. Basic and extended leaves only.
ZVT_INLINE int zvtFindViewEntry(const ZVT_CPUID_VIEW* view, uint32_t leaf, uint32_t subleaf,
                                const ZVT_CPUID_ENTRY** entry)
{
    const uint32_t range = leaf & 0x80000000u;
    const ZVT_CPUID_ENTRY* top = zvtFindEntry(view, range, 0u);
    const uint32_t highest = top != NULL ? top->eax : 0u;
    *entry = NULL;
    if (leaf > highest) // an extended range whose highest leaf is below 0x80000000 has no leaf at all
        return ZVT_VIEW_ABSENT;
    if (subleaf != 0u && leaf == 0x7u)
    {
        const ZVT_CPUID_ENTRY* first = zvtFindEntry(view, 0x7u, 0u);
        if (first == NULL || subleaf > first->eax)
            return ZVT_VIEW_ABSENT;
    }
    if (!view->allSubleaves && (leaf - range >= ZVT_CPUID_LEAVES || !zvtViewKnowsSubleaf(view, subleaf)))
        return ZVT_VIEW_UNKNOWN;
    *entry = zvtFindEntry(view, leaf, subleaf);
    return ZVT_VIEW_HELD;
}

// What the view tells of a word (ZVT_VIEW_HELD, ZVT_VIEW_ABSENT, ZVT_VIEW_UNKNOWN; unknown also for a number
// that is no word), with the raw register in *value (0 unless held).
ZVT_INLINE int zvtGetViewWord(const ZVT_CPUID_VIEW* view, int word, uint32_t* value)
{
    uint32_t leaf = 0;
    uint32_t subleaf = 0;
    size_t offset = 0;
    const ZVT_CPUID_ENTRY* entry = NULL;
    int state;
    *value = 0u;
    if (!zvtGetFlagWordSource(word, &leaf, &subleaf, &offset))
        return ZVT_VIEW_UNKNOWN;
    state = zvtFindViewEntry(view, leaf, subleaf, &entry);
    if (entry != NULL)
    {
        ZVT_CPUID_LEAF registers;
        registers.eax = entry->eax;
        registers.ebx = entry->ebx;
        registers.ecx = entry->ecx;
        registers.edx = entry->edx;
        *value = zvtGetRegister(&registers, offset);
    }
    return state;
}

// 1 when the view can tell whether each flag of the word is set (held or absent), 0 when not.
ZVT_INLINE int zvtViewKnowsFlagWord(const ZVT_CPUID_VIEW* view, int word)
{
    uint32_t value;
    return zvtGetViewWord(view, word, &value) != ZVT_VIEW_UNKNOWN;
}

// Every flag the view holds; the words it cannot tell are 0. Returns how many words it cannot tell (0 for a
// whole dump). known, when not NULL, gets every named bit of each word the view can tell:
// zvtFlagSetHas(known, flag) says whether a clear flag is absent (1) or unknown (0).
ZVT_INLINE int zvtReadFlagsFromView(const ZVT_CPUID_VIEW* view, ZVT_FLAG_SET* flags, ZVT_FLAG_SET* known)
{
    int word;
    int unknown = 0;
    for (word = 0; word < ZVT_FLAG_WORDS; ++word)
    {
        uint32_t value;
        const int state = zvtGetViewWord(view, word, &value);
        flags->words[word] = value & zvtGetFlagWordMask(word);
        if (known != NULL)
            known->words[word] = state == ZVT_VIEW_UNKNOWN ? 0u : zvtGetFlagWordMask(word);
        unknown += state == ZVT_VIEW_UNKNOWN ? 1 : 0;
    }
    return unknown;
}

// 1 when the view holds the flag set; 0 when clear, unknown, or the number names no flag.
ZVT_INLINE int zvtViewHasFlag(const ZVT_CPUID_VIEW* view, int flag)
{
    uint32_t value;
    if (flag < 0 || flag >= ZVT_FLAG_WORDS * 32 || zvtGetViewWord(view, flag / 32, &value) != ZVT_VIEW_HELD)
        return 0;
    return (value & zvtGetFlagWordMask(flag / 32) & (1u << (flag % 32))) != 0u;
}

// 1 when the view can tell whether the flag is set, 0 when not or when the number names no flag.
ZVT_INLINE int zvtViewKnowsFlag(const ZVT_CPUID_VIEW* view, int flag)
{
    if (flag < 0 || flag >= ZVT_FLAG_WORDS * 32 ||
        (zvtGetFlagWordMask(flag / 32) & (1u << (flag % 32))) == 0u)
        return 0;
    return zvtViewKnowsFlagWord(view, flag / 32);
}

typedef struct ZVT_FLAG_ROW
{
    int flag;
    const char* name;
} ZVT_FLAG_ROW;

#define ZVT_FLAG_TABLE_ROW(id, word, bit, name) {(word)*32 + (bit), name},

// Row `index` (0..ZVT_FLAG_COUNT - 1) of the flag table, in number order; NULL past the end.
ZVT_INLINE const ZVT_FLAG_ROW* zvtGetFlagRow(int index)
{
    static const ZVT_FLAG_ROW rows[] = {ZVT_FLAGS(ZVT_FLAG_TABLE_ROW)};
    if (index < 0 || index >= ZVT_FLAG_COUNT)
        return NULL;
    return &rows[index];
}

// The flag's name ("sse4_1"), or NULL when the number names no flag.
ZVT_INLINE const char* zvtGetFlagName(int flag)
{
    int low = 0;
    int high = ZVT_FLAG_COUNT - 1;
    while (low <= high)
    {
        const int middle = low + (high - low) / 2;
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(middle);
        if (row->flag == flag)
            return row->name;
        if (row->flag < flag)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return NULL;
}

// The flag of that name (exact, lower case), or ZVT_FLAG_NONE.
ZVT_INLINE int zvtFindFlag(const char* name)
{
    int index;
    for (index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const char* known = zvtGetFlagRow(index)->name;
        const char* asked = name;
        while (*known != '\0' && *known == *asked)
        {
            ++known;
            ++asked;
        }
        if (*known == *asked)
            return zvtGetFlagRow(index)->flag;
    }
    return ZVT_FLAG_NONE;
}

// x86-64 micro-architecture levels as the x86-64 psABI defines them. ZVT_LEVEL_NONE: not a 64-bit processor
// (no lm) or a baseline flag is missing.
#define ZVT_LEVEL_NONE 0
#define ZVT_LEVEL_BASELINE 1
#define ZVT_LEVEL_V2 2
#define ZVT_LEVEL_V3 3
#define ZVT_LEVEL_V4 4

// The flags each level adds, ENTRY(ID). The psABI's OSFXSR is an operating-system bit that CPUID does not
// show; every 64-bit OS sets it. Its OSXSAVE (v3) is in the record: whether the OS had XSAVE enabled when
// the record was made. Whether it enabled the AVX and AVX-512 registers in XCR0 is not in the record: see
// zvtGetEnabledLevel.
#define ZVT_LEVEL_BASELINE_FLAGS(ENTRY)                                                                      \
    ENTRY(LM) ENTRY(CMOV) ENTRY(CX8) ENTRY(FPU) ENTRY(FXSR) ENTRY(MMX) ENTRY(SYSCALL) ENTRY(SSE) ENTRY(SSE2)
#define ZVT_LEVEL_V2_FLAGS(ENTRY)                                                                            \
    ENTRY(CX16) ENTRY(LAHF_LM) ENTRY(POPCNT) ENTRY(PNI) ENTRY(SSE4_1) ENTRY(SSE4_2) ENTRY(SSSE3)
#define ZVT_LEVEL_V3_FLAGS(ENTRY)                                                                            \
    ENTRY(AVX)                                                                                               \
    ENTRY(AVX2) ENTRY(BMI1) ENTRY(BMI2) ENTRY(F16C) ENTRY(FMA) ENTRY(ABM) ENTRY(MOVBE) ENTRY(OSXSAVE)
#define ZVT_LEVEL_V4_FLAGS(ENTRY)                                                                            \
    ENTRY(AVX512F) ENTRY(AVX512BW) ENTRY(AVX512CD) ENTRY(AVX512DQ) ENTRY(AVX512VL)

// The most flags any level needs: baseline's nine.
#define ZVT_LEVEL_MAX_MISSING 9

// 1 for "GenuineIntel" in leaf 0 (EBX, EDX, ECX).
ZVT_INLINE int zvtIsIntel(const ZVT_CPU_IDENTITY* identity)
{
    return identity->basic[0].ebx == 0x756E6547u && identity->basic[0].edx == 0x49656E69u &&
           identity->basic[0].ecx == 0x6C65746Eu;
}

// Whether the record meets one required flag. Intel answers syscall only to 64-bit code, and every Intel
// processor with lm has SYSCALL in 64-bit mode, so a record made by 32-bit code on Intel counts it.
ZVT_INLINE int zvtMeetsLevelFlag(const ZVT_CPU_IDENTITY* identity, int flag)
{
    if (flag == ZVT_FLAG_SYSCALL && zvtIsIntel(identity) && zvtHasFlag(identity, ZVT_FLAG_LM))
        return 1;
    return zvtHasFlag(identity, flag);
}

#define ZVT_LEVEL_FLAG_ROW(id) ZVT_FLAG_##id,

// The required flags of `level` (ZVT_LEVEL_BASELINE..ZVT_LEVEL_V4, the levels below it included) that the
// record lacks, in the psABI's order; writes up to capacity of them to missing (which may be NULL) and
// returns how many there are. 0 means the record meets the level.
ZVT_INLINE int zvtGetMissingForLevel(const ZVT_CPU_IDENTITY* identity, int level, int* missing, int capacity)
{
    // What each level adds, from baseline up. ZVT_FLAG_NONE ends each list: the zeros that fill a short
    // row would read as ZVT_FLAG_FPU.
    static const int added[ZVT_LEVEL_V4][ZVT_LEVEL_MAX_MISSING + 1] = {
        {ZVT_LEVEL_BASELINE_FLAGS(ZVT_LEVEL_FLAG_ROW) ZVT_FLAG_NONE},
        {ZVT_LEVEL_V2_FLAGS(ZVT_LEVEL_FLAG_ROW) ZVT_FLAG_NONE},
        {ZVT_LEVEL_V3_FLAGS(ZVT_LEVEL_FLAG_ROW) ZVT_FLAG_NONE},
        {ZVT_LEVEL_V4_FLAGS(ZVT_LEVEL_FLAG_ROW) ZVT_FLAG_NONE}};
    int count = 0;
    int step;
    int index;
    for (step = ZVT_LEVEL_BASELINE; step <= level && step <= ZVT_LEVEL_V4; ++step)
    {
        const int* flags = added[step - ZVT_LEVEL_BASELINE];
        for (index = 0; flags[index] != ZVT_FLAG_NONE; ++index)
        {
            if (zvtMeetsLevelFlag(identity, flags[index]))
                continue;
            if (missing != NULL && count < capacity)
                missing[count] = flags[index];
            ++count;
        }
    }
    return count;
}

// The highest level the processor supports by its CPUID flags (ZVT_LEVEL_NONE..ZVT_LEVEL_V4). What is
// missing for the next one: zvtGetMissingForLevel(identity, level + 1, ...).
ZVT_INLINE int zvtGetLevel(const ZVT_CPU_IDENTITY* identity)
{
    int level = ZVT_LEVEL_NONE;
    while (level < ZVT_LEVEL_V4 && zvtGetMissingForLevel(identity, level + 1, NULL, 0) == 0)
        ++level;
    return level;
}

// "none", "baseline", "v2", "v3", "v4"; NULL for any other number.
ZVT_INLINE const char* zvtGetLevelName(int level)
{
    static const char* const names[] = {"none", "baseline", "v2", "v3", "v4"};
    if (level < ZVT_LEVEL_NONE || level > ZVT_LEVEL_V4)
        return NULL;
    return names[level];
}

// XCR0 state components (bit masks of XCR0 as XGETBV returns it).
#define ZVT_XCR0_AVX_STATE 0x6u     // SSE and YMM upper halves: what AVX, AVX2, FMA ... need
#define ZVT_XCR0_AVX512_STATE 0xE6u // and opmask, ZMM upper halves, ZMM16..31: what AVX-512 needs

// The level the operating system lets a program use, given XCR0 as read on the same machine: v3 needs the
// AVX state enabled, v4 also the AVX-512 state. For a recorded processor XCR0 is unknown; use zvtGetLevel and
// say that OS support is unknown rather than passing a guess.
ZVT_INLINE int zvtGetEnabledLevel(const ZVT_CPU_IDENTITY* identity, uint64_t xcr0)
{
    int level = zvtGetLevel(identity);
    if (level >= ZVT_LEVEL_V4 && (xcr0 & ZVT_XCR0_AVX512_STATE) != ZVT_XCR0_AVX512_STATE)
        level = ZVT_LEVEL_V3;
    if (level >= ZVT_LEVEL_V3 && (xcr0 & ZVT_XCR0_AVX_STATE) != ZVT_XCR0_AVX_STATE)
        level = ZVT_LEVEL_V2;
    return level;
}

#define ZVT_XCR0_MPX_STATE 0x18u     // BNDREGS and BNDCSR: what MPX needs
#define ZVT_XCR0_TILE_STATE 0x60000u // XTILECFG (17) and XTILEDATA (18): what AMX needs
#define ZVT_XCR0_APX_STATE 0x80000u  // the extended general registers (19): what APX needs

// The flags whose instructions need state components the operating system enables in XCR0, ENTRY(ID, mask).
// AVX state: the VEX-encoded vector instructions (vaes and vpclmulqdq stand for their VEX forms). AVX-512
// state: every AVX-512 flag and avx10, whose EVEX instructions use the opmask and all 32 vector registers.
// Needing none: gfni (it has legacy SSE forms), bmi1 and bmi2 (general registers), and every other flag.
// Linux also has a program request the tile state (arch_prctl) before its first AMX instruction; XCR0 does
// not show that.
#define ZVT_XCR0_NEEDS(ENTRY)                                                                                \
    ENTRY(AVX, ZVT_XCR0_AVX_STATE)                                                                           \
    ENTRY(FMA, ZVT_XCR0_AVX_STATE)                                                                           \
    ENTRY(F16C, ZVT_XCR0_AVX_STATE)                                                                          \
    ENTRY(AVX2, ZVT_XCR0_AVX_STATE)                                                                          \
    ENTRY(VAES, ZVT_XCR0_AVX_STATE)                                                                          \
    ENTRY(VPCLMULQDQ, ZVT_XCR0_AVX_STATE)                                                                    \
    ENTRY(XOP, ZVT_XCR0_AVX_STATE)                                                                           \
    ENTRY(FMA4, ZVT_XCR0_AVX_STATE)                                                                          \
    ENTRY(SHA512, ZVT_XCR0_AVX_STATE)                                                                        \
    ENTRY(SM3, ZVT_XCR0_AVX_STATE)                                                                           \
    ENTRY(SM4, ZVT_XCR0_AVX_STATE)                                                                           \
    ENTRY(AVX_VNNI, ZVT_XCR0_AVX_STATE)                                                                      \
    ENTRY(AVX_IFMA, ZVT_XCR0_AVX_STATE)                                                                      \
    ENTRY(AVX_VNNI_INT8, ZVT_XCR0_AVX_STATE)                                                                 \
    ENTRY(AVX_NE_CONVERT, ZVT_XCR0_AVX_STATE)                                                                \
    ENTRY(AVX_VNNI_INT16, ZVT_XCR0_AVX_STATE)                                                                \
    ENTRY(AVX512F, ZVT_XCR0_AVX512_STATE)                                                                    \
    ENTRY(AVX512DQ, ZVT_XCR0_AVX512_STATE)                                                                   \
    ENTRY(AVX512IFMA, ZVT_XCR0_AVX512_STATE)                                                                 \
    ENTRY(AVX512PF, ZVT_XCR0_AVX512_STATE)                                                                   \
    ENTRY(AVX512ER, ZVT_XCR0_AVX512_STATE)                                                                   \
    ENTRY(AVX512CD, ZVT_XCR0_AVX512_STATE)                                                                   \
    ENTRY(AVX512BW, ZVT_XCR0_AVX512_STATE)                                                                   \
    ENTRY(AVX512VL, ZVT_XCR0_AVX512_STATE)                                                                   \
    ENTRY(AVX512VBMI, ZVT_XCR0_AVX512_STATE)                                                                 \
    ENTRY(AVX512_VBMI2, ZVT_XCR0_AVX512_STATE)                                                               \
    ENTRY(AVX512_VNNI, ZVT_XCR0_AVX512_STATE)                                                                \
    ENTRY(AVX512_BITALG, ZVT_XCR0_AVX512_STATE)                                                              \
    ENTRY(AVX512_VPOPCNTDQ, ZVT_XCR0_AVX512_STATE)                                                           \
    ENTRY(AVX512_4VNNIW, ZVT_XCR0_AVX512_STATE)                                                              \
    ENTRY(AVX512_4FMAPS, ZVT_XCR0_AVX512_STATE)                                                              \
    ENTRY(AVX512_VP2INTERSECT, ZVT_XCR0_AVX512_STATE)                                                        \
    ENTRY(AVX512_FP16, ZVT_XCR0_AVX512_STATE)                                                                \
    ENTRY(AVX512_BF16, ZVT_XCR0_AVX512_STATE)                                                                \
    ENTRY(AVX10, ZVT_XCR0_AVX512_STATE)                                                                      \
    ENTRY(AMX_TILE, ZVT_XCR0_TILE_STATE)                                                                     \
    ENTRY(AMX_INT8, ZVT_XCR0_TILE_STATE)                                                                     \
    ENTRY(AMX_BF16, ZVT_XCR0_TILE_STATE)                                                                     \
    ENTRY(AMX_FP16, ZVT_XCR0_TILE_STATE)                                                                     \
    ENTRY(AMX_COMPLEX, ZVT_XCR0_TILE_STATE)                                                                  \
    ENTRY(MPX, ZVT_XCR0_MPX_STATE)                                                                           \
    ENTRY(APX, ZVT_XCR0_APX_STATE)

typedef struct ZVT_XCR0_NEED
{
    int flag;
    uint32_t mask;
} ZVT_XCR0_NEED;

#define ZVT_XCR0_NEED_ROW(id, mask) {ZVT_FLAG_##id, mask},

// The XCR0 state components a flag's instructions need the operating system to have enabled; 0 for a flag
// that needs none (or a number that names no flag).
ZVT_INLINE uint64_t zvtGetFlagXcr0Needs(int flag)
{
    static const ZVT_XCR0_NEED needs[] = {ZVT_XCR0_NEEDS(ZVT_XCR0_NEED_ROW)};
    size_t index;
    for (index = 0; index < sizeof needs / sizeof needs[0]; ++index)
    {
        if (needs[index].flag == flag)
            return needs[index].mask;
    }
    return 0u;
}

// 1 when the set has the flag and XCR0 (as zvtReadXcr0 gives it on the same machine) has every state
// component the flag needs; 0 otherwise. For a recorded processor XCR0 is unknown: ask zvtFlagSetHas and say
// so.
ZVT_INLINE int zvtIsFlagUsable(const ZVT_FLAG_SET* flags, int flag, uint64_t xcr0)
{
    const uint64_t needs = zvtGetFlagXcr0Needs(flag);
    return zvtFlagSetHas(flags, flag) && (xcr0 & needs) == needs;
}

// AVX10 (leaf 0x24 sub-leaf 0, valid when avx10 is set): the version (EBX bits 7..0) and the vector widths
// (EBX bits 16, 17, 18: ZVT_AVX10_VL128, _VL256, _VL512).
typedef struct ZVT_AVX10
{
    int32_t version;       // 1, 2 ...; 0 when there is no AVX10 or the view cannot tell
    uint32_t vectorWidths; // ZVT_AVX10_VL* bits
} ZVT_AVX10;

#define ZVT_AVX10_VL128 0x1u
#define ZVT_AVX10_VL256 0x2u
#define ZVT_AVX10_VL512 0x4u

// Fills avx10 (cleared first) and returns ZVT_VIEW_HELD when the view has avx10 and holds leaf 0x24,
// ZVT_VIEW_ABSENT when it has no AVX10 (avx10 clear, or leaf 0x24 beyond the highest basic leaf), and
// ZVT_VIEW_UNKNOWN when it cannot tell (the identity record's view, which lacks leaf 7 sub-leaf 1).
ZVT_INLINE int zvtGetAvx10(const ZVT_CPUID_VIEW* view, ZVT_AVX10* avx10)
{
    uint32_t word = 0;
    const ZVT_CPUID_ENTRY* entry = NULL;
    int state = zvtGetViewWord(view, ZVT_FLAG_AVX10 / 32, &word);
    avx10->version = 0;
    avx10->vectorWidths = 0u;
    if (state != ZVT_VIEW_HELD)
        return state;
    if ((word & (1u << (ZVT_FLAG_AVX10 % 32))) == 0u)
        return ZVT_VIEW_ABSENT;
    state = zvtFindViewEntry(view, 0x24u, 0u, &entry);
    if (entry != NULL)
    {
        avx10->version = ZVT_I32(entry->ebx & 0xFFu);
        avx10->vectorWidths = (entry->ebx >> 16) & 0x7u;
    }
    return state;
}

// Live only: reads XCR0 of the processor running the caller with XGETBV, which exists only when the OS set
// OSXSAVE; that is checked with CPUID first (and, in 32-bit code compiled by gcc or clang, that CPUID
// exists). Returns 1 with *xcr0 set; 0 with *xcr0 = 0 when OSXSAVE is clear (the OS enabled no AVX state),
// the processor has no CPUID, or the compiler or target is not one this helper knows (gcc, clang, MSVC, x86).
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <cpuid.h>
ZVT_INLINE int zvtReadXcr0(uint64_t* xcr0)
{
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    uint32_t low = 0, high = 0;
    uint64_t value;
    *xcr0 = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0 || (ecx & (1u << 27)) == 0)
        return 0;
    // XGETBV with ECX = 0, as bytes for assemblers that do not know the mnemonic.
    __asm__ __volatile__(".byte 0x0f, 0x01, 0xd0" : "=a"(low), "=d"(high) : "c"(0));
    value = high;
    *xcr0 = (value << 32) | low;
    return 1;
}
#elif defined(_MSC_VER) && (defined(_M_IX86) || defined(_M_X64))
#include <immintrin.h>
#include <intrin.h>
ZVT_INLINE int zvtReadXcr0(uint64_t* xcr0)
{
    int registers[4];
    *xcr0 = 0;
    __cpuid(registers, 1);
    if ((registers[2] & (1 << 27)) == 0)
        return 0;
    *xcr0 = _xgetbv(0);
    return 1;
}
#else
ZVT_INLINE int zvtReadXcr0(uint64_t* xcr0)
{
    *xcr0 = 0;
    return 0;
}
#endif

// Caches and TLBs of extended leaves 0x80000005 and 0x80000006. AMD and Hygon define both leaves (L1 and its
// TLBs in 0x80000005; L2, its TLBs and L3 in 0x80000006). Intel defines only the L2 cache (0x80000006 ECX);
// other vendors are not decoded. What a vendor does not define stays zero, and the result says what was read.
typedef struct ZVT_CACHE
{
    int32_t sizeKb;      // 0: none, or not defined
    int32_t ways;        // ZVT_WAYS_FULL for fully associative; 0 when not stated; L2/L3 on AMD: at least
    int32_t lineBytes;   // line size in bytes
    int32_t linesPerTag; // AMD only
} ZVT_CACHE;

typedef struct ZVT_TLB
{
    int32_t entries;
    int32_t ways; // ZVT_WAYS_FULL for fully associative; 0 when not stated
} ZVT_TLB;

typedef struct ZVT_CACHES
{
    ZVT_CACHE l1d, l1i, l2, l3;
    ZVT_TLB l1dTlb4k, l1iTlb4k, l1dTlb2m, l1iTlb2m; // 2M: the 2 MB and 4 MB page entries
    ZVT_TLB l2dTlb4k, l2iTlb4k, l2dTlb2m, l2iTlb2m;
} ZVT_CACHES;

#define ZVT_WAYS_FULL (-1)
#define ZVT_CACHES_L1 1 // l1d, l1i and the L1 TLBs
#define ZVT_CACHES_L2 2 // l2 (and on AMD and Hygon the L2 TLBs)
#define ZVT_CACHES_L3 4 // l3 (sizeKb 0 when there is none)

// 1 for "AuthenticAMD" or "HygonGenuine" in leaf 0 (EBX, EDX, ECX).
ZVT_INLINE int zvtIsAmdOrHygon(const ZVT_CPU_IDENTITY* identity)
{
    const ZVT_CPUID_LEAF* leaf0 = &identity->basic[0];
    const int amd = leaf0->ebx == 0x68747541u && leaf0->edx == 0x69746E65u && leaf0->ecx == 0x444D4163u;
    const int hygon = leaf0->ebx == 0x6F677948u && leaf0->edx == 0x6E65476Eu && leaf0->ecx == 0x656E6975u;
    return amd || hygon;
}

// Ways from the 4-bit code of leaf 0x80000006; 0 for codes that give no number (reserved, or "see another
// leaf" on newer processors). AMD's codes stand for ranges (6: 8 to 15 ways); this is the least of the range.
ZVT_INLINE int32_t zvtDecodeWays(uint32_t code)
{
    static const int32_t ways[16] = {0, 1, 2, 3, 4, 6, 8, 0, 16, 0, 32, 48, 64, 96, 128, ZVT_WAYS_FULL};
    return ways[code & 0xFu];
}

// Ways from the 8-bit L1 field of leaf 0x80000005: the number itself, 0xFF for fully associative.
ZVT_INLINE int32_t zvtDecodeL1Ways(uint32_t field)
{
    return field == 0xFFu ? ZVT_WAYS_FULL : ZVT_I32(field);
}

ZVT_INLINE uint32_t zvtBits(uint32_t value, unsigned shift, uint32_t mask)
{
    return (value >> shift) & mask;
}

ZVT_INLINE void zvtDecodeL1Cache(uint32_t value, ZVT_CACHE* cache)
{
    cache->sizeKb = ZVT_I32(zvtBits(value, 24, 0xFFu));
    cache->ways = zvtDecodeL1Ways(zvtBits(value, 16, 0xFFu));
    cache->linesPerTag = ZVT_I32(zvtBits(value, 8, 0xFFu));
    cache->lineBytes = ZVT_I32(zvtBits(value, 0, 0xFFu));
}

// One register of 0x80000005: data TLB in the high half, instruction TLB in the low half.
ZVT_INLINE void zvtDecodeL1Tlb(uint32_t value, ZVT_TLB* data, ZVT_TLB* instruction)
{
    data->ways = zvtDecodeL1Ways(zvtBits(value, 24, 0xFFu));
    data->entries = ZVT_I32(zvtBits(value, 16, 0xFFu));
    instruction->ways = zvtDecodeL1Ways(zvtBits(value, 8, 0xFFu));
    instruction->entries = ZVT_I32(zvtBits(value, 0, 0xFFu));
}

// One register of 0x80000006: data TLB in the high half, instruction TLB in the low half.
ZVT_INLINE void zvtDecodeL2Tlb(uint32_t value, ZVT_TLB* data, ZVT_TLB* instruction)
{
    data->ways = zvtDecodeWays(zvtBits(value, 28, 0xFu));
    data->entries = ZVT_I32(zvtBits(value, 16, 0xFFFu));
    instruction->ways = zvtDecodeWays(zvtBits(value, 12, 0xFu));
    instruction->entries = ZVT_I32(zvtBits(value, 0, 0xFFFu));
}

// Fills caches (cleared first) and returns which parts the record defines: ZVT_CACHES_* bits, 0 for none.
ZVT_INLINE int zvtGetCaches(const ZVT_CPU_IDENTITY* identity, ZVT_CACHES* caches)
{
    static const ZVT_CACHES cleared = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0},
                                       {0, 0},       {0, 0},       {0, 0},       {0, 0},
                                       {0, 0},       {0, 0},       {0, 0},       {0, 0}};
    const ZVT_CPUID_LEAF* l1 = zvtFindExtendedLeaf(identity, 0x80000005u);
    const ZVT_CPUID_LEAF* l2 = zvtFindExtendedLeaf(identity, 0x80000006u);
    const int amd = zvtIsAmdOrHygon(identity);
    int found = 0;
    *caches = cleared;
    if (l2 != NULL && (amd || zvtIsIntel(identity)))
    {
        caches->l2.sizeKb = ZVT_I32(zvtBits(l2->ecx, 16, 0xFFFFu));
        caches->l2.ways = zvtDecodeWays(zvtBits(l2->ecx, 12, 0xFu));
        caches->l2.lineBytes = ZVT_I32(zvtBits(l2->ecx, 0, 0xFFu));
        found |= ZVT_CACHES_L2;
    }
    if (!amd)
        return found;
    if (l1 != NULL)
    {
        zvtDecodeL1Cache(l1->ecx, &caches->l1d);
        zvtDecodeL1Cache(l1->edx, &caches->l1i);
        zvtDecodeL1Tlb(l1->eax, &caches->l1dTlb2m, &caches->l1iTlb2m);
        zvtDecodeL1Tlb(l1->ebx, &caches->l1dTlb4k, &caches->l1iTlb4k);
        found |= ZVT_CACHES_L1;
    }
    if (l2 != NULL)
    {
        caches->l2.linesPerTag = ZVT_I32(zvtBits(l2->ecx, 8, 0xFu));
        zvtDecodeL2Tlb(l2->eax, &caches->l2dTlb2m, &caches->l2iTlb2m);
        zvtDecodeL2Tlb(l2->ebx, &caches->l2dTlb4k, &caches->l2iTlb4k);
        caches->l3.sizeKb = ZVT_I32(zvtBits(l2->edx, 18, 0x3FFFu)) * 512;
        caches->l3.ways = zvtDecodeWays(zvtBits(l2->edx, 12, 0xFu));
        caches->l3.linesPerTag = ZVT_I32(zvtBits(l2->edx, 8, 0xFu));
        caches->l3.lineBytes = ZVT_I32(zvtBits(l2->edx, 0, 0xFFu));
        found |= ZVT_CACHES_L3;
    }
    return found;
}

// Physical and linear address widths in bits (extended leaf 0x80000008 EAX bits 7..0 and 15..8). Returns 1,
// or 0 with both set to 0 when the record does not hold that leaf.
ZVT_INLINE int zvtGetAddressSizes(const ZVT_CPU_IDENTITY* identity, int32_t* physicalBits,
                                  int32_t* linearBits)
{
    const ZVT_CPUID_LEAF* leaf = zvtFindExtendedLeaf(identity, 0x80000008u);
    *physicalBits = leaf ? ZVT_I32(zvtBits(leaf->eax, 0, 0xFFu)) : 0;
    *linearBits = leaf ? ZVT_I32(zvtBits(leaf->eax, 8, 0xFFu)) : 0;
    return leaf ? 1 : 0;
}

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_FEATURES_H
