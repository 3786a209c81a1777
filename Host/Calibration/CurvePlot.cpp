#include "Calibration/CurvePlot.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 540;
constexpr int kLeft = 70;
constexpr int kRight = 150;  // room for the legend
constexpr int kTop = 50;
constexpr int kBottom = 60;
constexpr int kPlotWidth = kWidth - kLeft - kRight;
constexpr int kPlotHeight = kHeight - kTop - kBottom;
constexpr const char* kChannelColours[] = {"#d62728", "#2ca02c", "#1f77b4"};
constexpr int kInputTicks[] = {0, 32, 64, 96, 128, 160, 192, 224, 255};

std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

class Scale {
public:
    explicit Scale(int32_t top) : fTop(top) {}
    double X(double input) const { return kLeft + input * kPlotWidth / 255.0; }
    double Y(double entry) const { return kTop + kPlotHeight - entry * kPlotHeight / fTop; }

private:
    int32_t fTop;
};

}  // namespace

std::string CurvePlotSvg(const GammaTableImage& image, const std::string& title)
{
    int32_t top = kTableImageFullScale;
    for (const auto& channel : image.channels) top = std::max<int32_t>(top, *std::max_element(channel.begin(), channel.end()));
    const Scale scale(top);
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
        << "\" viewBox=\"0 0 " << kWidth << ' ' << kHeight << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << kLeft << "\" y=\"28\" font-size=\"16\">" << Escaped(title) << "</text>\n";
    // Grid and ticks: the input on x, the table entry on y.
    for (const int input : kInputTicks) {
        svg << "<line x1=\"" << scale.X(input) << "\" y1=\"" << kTop << "\" x2=\"" << scale.X(input) << "\" y2=\""
            << kTop + kPlotHeight << "\" stroke=\"#e0e0e0\"/>\n"
            << "<text x=\"" << scale.X(input) << "\" y=\"" << kTop + kPlotHeight + 18 << "\" text-anchor=\"middle\">"
            << input << "</text>\n";
    }
    for (int k = 0; k <= 4; ++k) {
        const int entry = top * k / 4;
        svg << "<line x1=\"" << kLeft << "\" y1=\"" << scale.Y(entry) << "\" x2=\"" << kLeft + kPlotWidth << "\" y2=\""
            << scale.Y(entry) << "\" stroke=\"#e0e0e0\"/>\n"
            << "<text x=\"" << kLeft - 8 << "\" y=\"" << scale.Y(entry) + 4 << "\" text-anchor=\"end\">" << entry
            << "</text>\n";
    }
    svg << "<rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kPlotWidth << "\" height=\"" << kPlotHeight
        << "\" fill=\"none\" stroke=\"black\"/>\n"
        << "<text x=\"" << kLeft + kPlotWidth / 2 << "\" y=\"" << kHeight - 15 << "\" text-anchor=\"middle\">input level (0..255)</text>\n"
        << "<text transform=\"translate(18 " << kTop + kPlotHeight / 2 << ") rotate(-90)\" text-anchor=\"middle\">table entry</text>\n";
    svg << "<line x1=\"" << scale.X(0) << "\" y1=\"" << scale.Y(0) << "\" x2=\"" << scale.X(255) << "\" y2=\""
        << scale.Y(kTableImageFullScale) << "\" stroke=\"#808080\" stroke-dasharray=\"6 4\"/>\n";
    for (size_t c = 0; c < 3; ++c) {
        svg << "<polyline fill=\"none\" stroke=\"" << kChannelColours[c] << "\" stroke-width=\"1.5\" points=\"";
        for (int32_t i = 0; i < kTableImageEntries; ++i)
            svg << (i ? " " : "") << scale.X(i) << ',' << scale.Y(image.channels[c][static_cast<size_t>(i)]);
        svg << "\"/>\n";
    }
    // The legend, right of the plot.
    const int legendX = kLeft + kPlotWidth + 20;
    const char* labels[] = {kChannelNames[0], kChannelNames[1], kChannelNames[2], "identity"};
    for (int k = 0; k < 4; ++k) {
        const int y = kTop + 20 + 22 * k;
        svg << "<line x1=\"" << legendX << "\" y1=\"" << y - 4 << "\" x2=\"" << legendX + 24 << "\" y2=\"" << y - 4
            << "\" stroke=\"" << (k < 3 ? kChannelColours[k] : "#808080") << "\" stroke-width=\"2\""
            << (k < 3 ? "" : " stroke-dasharray=\"6 4\"") << "/>\n"
            << "<text x=\"" << legendX + 32 << "\" y=\"" << y << "\">" << labels[k] << "</text>\n";
    }
    svg << "</svg>\n";
    return svg.str();
}
