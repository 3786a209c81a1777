#pragma once
// The catalogue library's exports. It is a shared library of its own because it carries
// the framework's data library, whose classes share their names with the contract's.
#if defined(_WIN32)
#if defined(ZEZCTL_CATALOGUE_BUILDING)
#define ZEZCTL_CATALOGUE_API __declspec(dllexport)
#else
#define ZEZCTL_CATALOGUE_API __declspec(dllimport)
#endif
#else
#define ZEZCTL_CATALOGUE_API __attribute__((visibility("default")))
#endif
