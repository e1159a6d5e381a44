// zavsys_features.h - decodes the identity record of zvtGetIdentity: every feature flag its leaves define,
// the x86-64 micro-architecture level, caches and TLBs, address sizes. Header only, for C99/C11 and C++,
// 32-bit and 64-bit; needs nothing but zavsys.h. Nothing here calls the DLL, and only zvtReadXcr0 executes an
// instruction.
//
// What the record holds: basic leaves 0..min(highest, 63) and extended leaves 0x80000000..min(highest,
// 0x8000003F), each asked with sub-leaf 0. A leaf above the record's highest basic leaf (leaf 0 EAX) or
// highest extended leaf (leaf 0x80000000 EAX), or past the 64 entries, reads as absent: all its flags are
// clear. Out of reach, because they are other sub-leaves: leaf 7 sub-leaves 1 and 2 (avx_vnni, avx512_bf16,
// amx_fp16, cmpccxadd, lam ...), leaf 0xD sub-leaf 1 (xsaveopt, xsavec, xgetbv1, xsaves), the cache leaves 4
// and 0x8000001D past their first entry, and the topology leaves. They are not guessed: no flag here stands
// for them.
//
// Flags are numbered word * 32 + bit, one word per register below. A number is never reused or moved; a new
// register gets the next free word. Names are the Linux /proc/cpuinfo names where one exists, otherwise the
// lower-case name of the bit in the vendor's manual.
#ifndef ZAVSYS_FEATURES_H
#define ZAVSYS_FEATURES_H

#include "zavsys.h"

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
#define ZVT_WORD_1_EDX 0        // basic leaf 1 EDX
#define ZVT_WORD_1_ECX 1        // basic leaf 1 ECX
#define ZVT_WORD_7_EBX 2        // leaf 7 sub-leaf 0 EBX
#define ZVT_WORD_7_ECX 3        // leaf 7 sub-leaf 0 ECX (bits 17..21 are a number, MAWAU, not flags)
#define ZVT_WORD_7_EDX 4        // leaf 7 sub-leaf 0 EDX
#define ZVT_WORD_80000001_EDX 5 // extended leaf 0x80000001 EDX
#define ZVT_WORD_80000001_ECX 6 // extended leaf 0x80000001 ECX
#define ZVT_WORD_80000007_EDX 7 // extended leaf 0x80000007 EDX (power management)
#define ZVT_WORD_80000008_EBX 8 // extended leaf 0x80000008 EBX
#define ZVT_WORD_XCR0_LOW 9     // leaf 0xD sub-leaf 0 EAX: XCR0 bits 0..31 the processor supports
#define ZVT_WORD_XCR0_HIGH 10   // leaf 0xD sub-leaf 0 EDX: XCR0 bits 32..63 the processor supports
#define ZVT_FLAG_WORDS 11

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
    ROW(XCR0_HIGH, 0xDu, 0, edx, ZVT_FLAGS_D_EDX)

// The arrays below are indexed by word, so a row out of place would read one word into another's number.
// The record holds sub-leaf 0 alone: a row asking for another could never be read.
#define ZVT_WORD_POSITION_ROW(word, leaf, subLeaf, reg, flags) ZVT_WORD_POSITION_##word,
#define ZVT_WORD_CHECK_ROW(word, leaf, subLeaf, reg, flags)                                                  \
    &&ZVT_WORD_##word == ZVT_WORD_POSITION_##word && (subLeaf) == 0
enum
{
    ZVT_WORD_TABLE(ZVT_WORD_POSITION_ROW) ZVT_WORD_ROWS
};
ZVT_STATIC_ASSERT(ZVT_WORD_ROWS == ZVT_FLAG_WORDS, "one row per word");
ZVT_STATIC_ASSERT(1 ZVT_WORD_TABLE(ZVT_WORD_CHECK_ROW), "rows in word order, all of sub-leaf 0");

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
    ZVT_FLAGS_D_EDX(ENTRY)

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

// One record's flags, one 32-bit word per register above; bits without a name are cleared.
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
#define ZVT_WORD_REGISTER_ROW(word, leaf, subLeaf, reg, flags) offsetof(ZVT_CPUID_LEAF, reg),

// The raw register behind a word, 0 when the record does not hold its leaf.
ZVT_INLINE uint32_t zvtReadFlagWord(const ZVT_CPU_IDENTITY* identity, int word)
{
    static const uint32_t leaves[ZVT_FLAG_WORDS] = {ZVT_WORD_TABLE(ZVT_WORD_LEAF_ROW)};
    static const size_t registers[ZVT_FLAG_WORDS] = {ZVT_WORD_TABLE(ZVT_WORD_REGISTER_ROW)};
    const ZVT_CPUID_LEAF* leaf;
    if (word < 0 || word >= ZVT_FLAG_WORDS)
        return 0u;
    leaf = zvtFindLeaf(identity, leaves[word]);
    if (leaf == NULL)
        return 0u;
    return zvtGetRegister(leaf, registers[word]);
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
