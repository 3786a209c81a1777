#pragma once
// Symbol visibility and calling conventions at the binary boundary.
//
// Everything is hidden by default; OV_EXPORT marks the plug-in's two entry points.
// Member functions use the platform's default member convention, which is thiscall
// on 32-bit Windows for both GCC (since 4.7) and MSVC.

#if defined(_WIN32)
#define OV_EXPORT __declspec(dllexport)
#if defined(_WIN64)
#define OV_STDCALL
#else
#define OV_STDCALL __stdcall
#endif
#else
#define OV_EXPORT __attribute__((visibility("default")))
#define OV_STDCALL
#endif

// Classes whose objects cross the boundary by reference (OvError is thrown into the
// host and caught there by type) keep their type information visible.
#if defined(_WIN32)
#define OV_SHARED_TYPE
#else
#define OV_SHARED_TYPE __attribute__((visibility("default")))
#endif
