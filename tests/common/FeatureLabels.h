// The feature word written as the dialog's labels ("MMX SSE SSE2"; "-" for none), as expected.tsv holds
// it, and back: the header's label table, the one the callers see.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>

#include "zavsys.h"

namespace zvt::test
{

struct FeatureLabel
{
    std::uint32_t mask;
    const char* label;
};
#define ZVT_LABEL_ROW(mask, label) FeatureLabel{mask, label},
inline constexpr FeatureLabel kFeatureLabels[] = {ZVT_FEATURE_LABELS(ZVT_LABEL_ROW)};
#undef ZVT_LABEL_ROW

// Labels in the table's order; a bit without a label (never to be set) shows as a hexadecimal rest.
inline std::string FeatureText(std::uint32_t features)
{
    std::string text;
    for (const auto& feature : kFeatureLabels)
    {
        if ((features & feature.mask) != 0)
        {
            text += (text.empty() ? "" : " ") + std::string(feature.label);
            features &= ~feature.mask;
        }
    }
    if (features != 0)
    {
        std::ostringstream rest;
        rest << " 0x" << std::hex << features;
        text += rest.str();
    }
    return text.empty() ? "-" : text;
}

// The word of labels separated by spaces; an unknown label sets the top bit, which has no label.
inline std::uint32_t FeaturesOfText(const std::string& text)
{
    std::uint32_t features = 0;
    std::istringstream words(text);
    for (std::string word; words >> word && word != "-";)
    {
        const auto* found =
            std::find_if(std::begin(kFeatureLabels), std::end(kFeatureLabels),
                         [&word](const FeatureLabel& feature) { return word == feature.label; });
        features |= found != std::end(kFeatureLabels) ? found->mask : 0x80000000u;
    }
    return features;
}

} // namespace zvt::test
