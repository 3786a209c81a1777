#include "MonApi2/EmulationSelection.h"

#include <cctype>
#include <charconv>

namespace MonApi2 {
namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

void AddChoice(EmulationSelection& selection, std::string_view item)
{
    OvEmulator::Link link = OvEmulator::Link::kDdc;
    if (TakePrefix(item, "USB:")) {
        link = OvEmulator::Link::kUsb;
    } else {
        TakePrefix(item, "DDC:");
    }
    const OvEmulator::EmulatedModel* model = OvEmulator::FindModel(Trim(item));
    if (model == nullptr) {
        selection.problems.push_back("unknown emulated model '" + std::string(item) + "' skipped");
    } else if (link == OvEmulator::Link::kUsb && model->usbId == 0) {
        selection.problems.push_back("emulated model '" + model->name + "' has no USB link, skipped");
    } else {
        selection.displays.push_back({model, link});
    }
}

}  // namespace

EmulationSelection ParseEmulationSelection(std::string_view models, std::string_view waitScale)
{
    EmulationSelection selection;
    while (!models.empty()) {
        const size_t comma = models.find(',');
        const std::string_view item = Trim(models.substr(0, comma));
        if (!item.empty()) AddChoice(selection, item);
        models = comma == std::string_view::npos ? std::string_view() : models.substr(comma + 1);
    }
    waitScale = Trim(waitScale);
    if (!waitScale.empty()) {
        double scale = 0;
        const auto [end, error] = std::from_chars(waitScale.data(), waitScale.data() + waitScale.size(), scale);
        if (error != std::errc() || end != waitScale.data() + waitScale.size() || scale < 0) {
            selection.problems.push_back("invalid wait scale '" + std::string(waitScale) + "', using 1");
        } else {
            selection.waitScale = scale;
        }
    }
    return selection;
}

}  // namespace MonApi2
