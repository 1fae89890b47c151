#include "panels/reg_panel.h"

namespace qxed {

namespace {

const DisplayFormatNames kFormatNames{"RegDecDispRadioButton", "RegHexDispRadioButton", "RegSignedCheckBox"};

uint8_t Flag(bool checked) {
    return checked ? 1 : 0;
}

}  // namespace

RegPanel::RegPanel(PanelContext& context)
    : ElementPanel(context, static_cast<int32_t>(ElementKind::Reg)),
      register_("Reg", RegisterList::Full, RegisterCountRule::Profile) {}

void RegPanel::FillOwn(const Element& element, PanelState& state) const {
    const RegFields& reg = element.As<RegFields>();
    register_.Fill(reg.Address, reg.Num, kNumMax, state);
    state.Spin("RegDigitsSpinEdit", reg.Digits, kDigitsMin, kDigitsMax);
    state.Spin("RegDecimalDigitsSpinEdit", reg.DecimalDigits, 0, kDecimalDigitsMax);
    state.Check("RegPre0CheckBox", reg.Pre0 != 0);
    state.Check("RegFloatCheckBox", reg.Float != 0, reg.Convert == 0);
    state.Check("RegConvertCheckBox", reg.Convert != 0, reg.Float == 0);
    state.Plain("RegDispModeLabel", true, reg.Float == 0);
    FillDisplayFormat(kFormatNames, DisplayFormat{reg.DecDisp, reg.Unsigned}, reg.Float != 0, state);
    state.Check("RegNeedSetCheckBox", reg.NeedSet != 0);
    state.Check("RegEncryptCheckBox", reg.Encrypt != 0, reg.NeedSet != 0);
    state.Check("RegLimitCheckBox", reg.Limit != 0, reg.NeedSet != 0);
    const bool limits = reg.Limit != 0 || reg.Convert != 0;
    state.Spin("RegUpLimitSpinEdit", reg.UpLimit, kUnboundedMin, kUnboundedMax, limits);
    state.Spin("RegLowLimitSpinEdit", reg.LowLimit, kUnboundedMin, kUnboundedMax, limits);
    state.Plain("RegUpLimitLabel", true, limits);
    state.Plain("RegLowLimitLabel", true, limits);
    const bool convert = reg.Convert != 0;
    state.Spin("RegValUpLimitSpinEdit", reg.ValUpLimit, kUnboundedMin, kUnboundedMax, convert);
    state.Spin("RegValLowLimitSpinEdit", reg.ValLowLimit, kUnboundedMin, kUnboundedMax, convert);
    state.Plain("RegValUpLimitLabel", true, convert);
    state.Plain("RegValLowLimitLabel", true, convert);
}

void RegPanel::StoreAddress(const std::optional<PlcAddress>& address) {
    if (!address) return Refuse();
    Store<RegFields>("reg address", [&](Element&, RegFields& reg) { reg.Address = *address; });
}

void RegPanel::StoreFormat(const std::optional<DisplayFormat>& format) {
    if (!format) return Refuse();
    if (Store<RegFields>("reg format", [&](Element&, RegFields& reg) {
            reg.DecDisp = format->DecDisp;
            reg.Unsigned = format->Unsigned;
        }))
        FitWidth();
}

void RegPanel::RegStationSpinEditChange(int32_t station) {
    if (const RegFields* reg = SelectedFields<RegFields>())
        StoreAddress(register_.StationSpinEditChange(reg->Address, station));
}

void RegPanel::RegTypeComboBoxChange(int32_t index) {
    if (const RegFields* reg = SelectedFields<RegFields>())
        StoreAddress(register_.TypeComboBoxChange(reg->Address, index));
}

void RegPanel::RegNoSpinEditChange(int32_t shown) {
    if (const RegFields* reg = SelectedFields<RegFields>())
        StoreAddress(register_.NoSpinEditChange(reg->Address, shown));
}

void RegPanel::RegNumSpinEditChange(int32_t count) {
    const RegFields* reg = SelectedFields<RegFields>();
    if (reg == nullptr) return;
    const std::optional<int32_t> num = register_.NumSpinEditChange(reg->Num, count, kNumMax);
    if (!num) return Refuse();
    Store<RegFields>("reg num", [&](Element&, RegFields& fields) { fields.Num = *num; });
}

void RegPanel::RegDigitsSpinEditChange(int32_t digits) {
    if (digits < kDigitsMin || digits > kDigitsMax) return Refuse();
    const bool stored = Store<RegFields>("reg digits", [&](Element&, RegFields& reg) {
        reg.Digits = digits;
        if (reg.DecimalDigits > digits) reg.DecimalDigits = digits;
    });
    if (stored) FitWidth();
}

void RegPanel::RegDecimalDigitsSpinEditChange(int32_t decimals) {
    if (decimals < 0 || decimals > kDecimalDigitsMax) return Refuse();
    const bool stored = Store<RegFields>("reg decimals", [&](Element&, RegFields& reg) {
        reg.DecimalDigits = decimals;
        if (reg.Digits < decimals) reg.Digits = decimals;
    });
    if (stored) FitWidth();
}

void RegPanel::RegPre0CheckBoxClick(bool checked) {
    Store<RegFields>("reg pre0", [&](Element&, RegFields& reg) { reg.Pre0 = Flag(checked); });
}

void RegPanel::RegFloatCheckBoxClick(bool checked) {
    const RegFields* reg = SelectedFields<RegFields>();
    if (reg == nullptr) return;
    if (checked && reg->Convert != 0) return Refuse();
    if (Store<RegFields>("reg float", [&](Element&, RegFields& fields) { fields.Float = Flag(checked); }))
        FitWidth();
}

void RegPanel::RegConvertCheckBoxClick(bool checked) {
    const RegFields* reg = SelectedFields<RegFields>();
    if (reg == nullptr) return;
    if (checked && reg->Float != 0) return Refuse();
    Store<RegFields>("reg convert", [&](Element&, RegFields& fields) { fields.Convert = Flag(checked); });
}

void RegPanel::RegDecDispRadioButtonClick() {
    if (const RegFields* reg = SelectedFields<RegFields>()) {
        if (reg->Float != 0) return Refuse();
        StoreFormat(ChooseDecimal(DisplayFormat{reg->DecDisp, reg->Unsigned}));
    }
}

void RegPanel::RegHexDispRadioButtonClick() {
    if (const RegFields* reg = SelectedFields<RegFields>()) {
        if (reg->Float != 0) return Refuse();
        StoreFormat(ChooseHex(DisplayFormat{reg->DecDisp, reg->Unsigned}));
    }
}

void RegPanel::RegSignedCheckBoxClick(bool checked) {
    if (const RegFields* reg = SelectedFields<RegFields>()) {
        if (reg->Float != 0) return Refuse();
        StoreFormat(SetSigned(DisplayFormat{reg->DecDisp, reg->Unsigned}, checked));
    }
}

void RegPanel::RegNeedSetCheckBoxClick(bool checked) {
    Store<RegFields>("reg needset", [&](Element&, RegFields& reg) {
        reg.NeedSet = Flag(checked);
        // Protection and limits belong to the entry on the panel.
        if (!checked) {
            reg.Encrypt = 0;
            reg.Limit = 0;
        }
    });
}

void RegPanel::RegEncryptCheckBoxClick(bool checked) {
    const RegFields* reg = SelectedFields<RegFields>();
    if (reg == nullptr) return;
    if (reg->NeedSet == 0) return Refuse();
    Store<RegFields>("reg encrypt", [&](Element&, RegFields& fields) { fields.Encrypt = Flag(checked); });
}

void RegPanel::RegLimitCheckBoxClick(bool checked) {
    const RegFields* reg = SelectedFields<RegFields>();
    if (reg == nullptr) return;
    if (reg->NeedSet == 0) return Refuse();
    Store<RegFields>("reg limit", [&](Element&, RegFields& fields) { fields.Limit = Flag(checked); });
}

void RegPanel::RegUpLimitSpinEditChange(int32_t value) {
    Store<RegFields>("reg uplimit", [&](Element&, RegFields& reg) { reg.UpLimit = value; });
}

void RegPanel::RegLowLimitSpinEditChange(int32_t value) {
    Store<RegFields>("reg lowlimit", [&](Element&, RegFields& reg) { reg.LowLimit = value; });
}

void RegPanel::RegValUpLimitSpinEditChange(int32_t value) {
    Store<RegFields>("reg valuplimit", [&](Element&, RegFields& reg) { reg.ValUpLimit = value; });
}

void RegPanel::RegValLowLimitSpinEditChange(int32_t value) {
    Store<RegFields>("reg vallowlimit", [&](Element&, RegFields& reg) { reg.ValLowLimit = value; });
}

}  // namespace qxed
