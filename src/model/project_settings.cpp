#include "model/project_settings.h"

namespace qxed {

PlcLink ProjectSettings::Link() const {
    return PlcLink{PlcType, PanelStation, BaudCode, Parity, SevenDataBits, OneStopBit};
}

void ProjectSettings::SetLink(const PlcLink& link) {
    PlcType = link.PlcType;
    PanelStation = link.PanelStation;
    BaudCode = link.BaudCode;
    Parity = link.Parity;
    SevenDataBits = link.SevenDataBits;
    OneStopBit = link.OneStopBit;
}

}  // namespace qxed
