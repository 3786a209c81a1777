#pragma once
// A calibration transform of this host on the plug-in's transform interface (OvTrafo):
// a function of (r, g, b) on the 0..255 scale, reference counted as the interface asks.
// The plug-in evaluates it in place on its own vectors and may hold a reference while it
// works; the last Release frees it.
#include <array>
#include <functional>
#include <memory>

#include "Contract/OvDeviceContract.h"

using Rgb = std::array<double, 3>;
using RgbFunction = std::function<Rgb(const Rgb&)>;

struct ReleaseTransform {
    void operator()(OvTrafo* transform) const { transform->Release(); }
};
using TransformHandle = std::unique_ptr<OvTrafo, ReleaseTransform>;

// A new transform (reference count 1, held by the handle). function must not throw.
TransformHandle MakeHostTransform(RgbFunction function);
