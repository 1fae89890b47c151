#include "text/texts.h"

namespace qxed::texts {

namespace {

#define QXED_TEXT(section, key, text) &key,
#define QXED_TEXT_AS(name, section, key, text) &name,

constexpr const TextKey* kAllTexts[] = {
#include "text/texts_attr.inc"
#include "text/texts_dialogs.inc"
#include "text/texts_main.inc"
};

#undef QXED_TEXT
#undef QXED_TEXT_AS

}  // namespace

std::span<const TextKey* const> AllTexts() {
    return kAllTexts;
}

}  // namespace qxed::texts
