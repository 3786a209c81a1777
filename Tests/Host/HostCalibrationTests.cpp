// The pieces of zezctl's calibration commands that need no display: the transform object
// the plug-in calls by slot, reading curves between knots, and the progress display.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "Calibration/CalibrationCurves.h"
#include "Cli/ProgressDisplay.h"

namespace {

// A vector as the plug-in hands it over, seen through the slots a transform uses.
class PluginVector final : public OvVectorData {
public:
    explicit PluginVector(std::vector<double> initial) : values(std::move(initial)) {}
    OvVectorData* OvDestroy(uint8_t) override { return this; }
    void AssignFrom(const OvVectorData&) override {}
    int32_t GetDim() const override { return static_cast<int32_t>(values.size()); }
    void SetDim(int32_t) override {}
    double Get(int32_t i) const override { return values.at(static_cast<size_t>(i)); }
    double& Ref(int32_t i) override { return values.at(static_cast<size_t>(i)); }
    uint32_t GetType() const override { return type; }
    void SetType(uint32_t t) override { type = t; }

    std::vector<double> values;
    uint32_t type = 0;
};

}  // namespace

TEST(HostTransform, EvaluatesInPlaceAndLivesUntilTheLastRelease)
{
    // The function's captures live as long as the transform.
    auto capture = std::make_shared<int>(0);
    const std::weak_ptr<int> alive = capture;
    TransformHandle handle = MakeHostTransform([capture](const Rgb& in) { return Rgb{in[2], in[1] / 2, in[0]}; });
    OvTrafo* transform = handle.get();
    capture.reset();
    EXPECT_EQ(transform->InterfaceVersion(), 1);
    EXPECT_EQ(transform->OutputColorType(), 0x52474220u);
    EXPECT_EQ(transform->Cast("OvTrafo"), transform);
    EXPECT_EQ(transform->Cast("OvStream"), nullptr);

    PluginVector rgb({10, 20, 30});
    transform->EvaluateVector(rgb);
    EXPECT_EQ(rgb.values, (std::vector<double>{30, 10, 10}));
    EXPECT_EQ(rgb.type, 0x52474220u);
    PluginVector grey({10, 20});  // too short to be a colour: left alone
    transform->EvaluateVector(grey);
    EXPECT_EQ(grey.values, (std::vector<double>{10, 20}));

    transform->AddRef();  // the plug-in keeps a reference while it works
    handle.reset();
    EXPECT_FALSE(alive.expired());
    EXPECT_EQ(transform->RefCount(), 1);
    transform->Release();
    EXPECT_TRUE(alive.expired());
}

TEST(CalibrationCurves, ReadsBetweenKnotsByStraightLinesAndHoldsTheEnds)
{
    const ToneCurve curve = {{0.2, 0.1}, {0.6, 0.5}, {1.0, 0.7}};
    const struct {
        double input, output;
    } cases[] = {{0.0, 0.1}, {0.2, 0.1}, {0.4, 0.3}, {0.6, 0.5}, {0.8, 0.6}, {1.0, 0.7}, {1.5, 0.7}};
    for (const auto& c : cases) EXPECT_NEAR(EvaluateCurve(curve, c.input), c.output, 1e-12) << c.input;
    EXPECT_EQ(EvaluateCurve({}, 0.25), 0.25);
    const Rgb byte = CurvesOnByteScale({{curve, curve, {}}})({102.0, 255.0, 7.0});
    EXPECT_NEAR(byte[0], 76.5, 1e-9);
    EXPECT_NEAR(byte[1], 178.5, 1e-9);
    EXPECT_NEAR(byte[2], 7.0, 1e-9);
}

TEST(ProgressDisplay, PrintsEachTenthOnceAndNeverGoesBack)
{
    std::ostringstream out;
    double now = 0.0;
    {
        ProgressDisplay progress(out, "load", false, [&] { return now; });
        for (const double f : {0.05, 0.12, 0.3, 0.2, 0.31, 0.999}) {
            now += 1.0;
            progress.SetProgress(f);
        }
        progress.Finish();
    }
    EXPECT_EQ(out.str(), "load: 10% (0:02 elapsed)\nload: 30% (0:03 elapsed)\nload: 90% (0:06 elapsed)\n"
                         "load: 100% (0:06 elapsed)\n");
}

TEST(ProgressDisplay, TerminalBarEstimatesTheTimeLeftAndAFailureClaimsNoEnd)
{
    std::ostringstream out;
    double now = 0.0;
    {
        ProgressDisplay progress(out, "load", true, [&] { return now; });
        now = 30.0;
        progress.SetProgress(0.25);
    }
    EXPECT_EQ(out.str(), "\rload [..............................]   0%  0:00 elapsed, --:-- left"
                         "\rload [#######.......................]  25%  0:30 elapsed, 1:30 left   \n");
}
