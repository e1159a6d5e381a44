// Resource ids of the test program.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_TESTZAVIT_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_WOW64 1000
#define IDC_WINDOWS 1001
#define IDC_3DNOW 1014
#define IDC_3DNOWEXT 1015
#define IDC_AMDV 1016
#define IDC_INTELVT 1017
#define IDC_MMX 1018
#define IDC_MMXEXT 1019
#define IDC_SSE 1020
#define IDC_SSE2 1021
#define IDC_SSE3 1022
#define IDC_SSE41 1023
#define IDC_SSE42 1024
#define IDC_SSE4A 1025
#define IDC_X86_64 1026
#define IDC_CPUID 1027
#define IDC_VERSION 1029

#define IDM_ABOUTBOX 0x0010
