#pragma once
// The fields of every record, listed once in stored order: the project file writes and reads them in this
// order, and the text form names them by these names. A visitor V gets every field by its name and decides
// whether it writes or reads it, and how:
//   Int(name, int32_t&)   Byte(name, uint8_t&)   Color(name, uint32_t&)
//   Address(name, PlcAddress&)   Action(name, KeyAction&)   Font(name, FontDesc&)
//   Text(name, std::string&, capacity)
//   TextTable(countName, textsName, int32_t& count, VarTextTable&, capacity)
//   Bitmap(name, std::vector<uint8_t>&)
// The field references are const when writing, so each list is a template over the record's constness.
#include <concepts>
#include <type_traits>
#include <variant>

#include "gfx/font_desc.h"
#include "model/element.h"
#include "model/key_action.h"
#include "model/project_settings.h"
#include "plc/plc_address.h"

namespace qxed {

namespace records {
struct ElementHeader;
}  // namespace records

namespace fields {

template <class T, class Record>
concept RecordOf = std::same_as<std::remove_const_t<T>, Record>;

template <class V, RecordOf<PlcAddress> A>
void VisitFields(V& v, A& a) {
    v.Int("Station", a.Station);
    v.Int("TypeIndex", a.TypeIndex);
    v.Int("Number", a.Number);
}

template <class V, RecordOf<KeyAction> A>
void VisitFields(V& v, A& a) {
    v.Int("Key", a.Key);
    v.Byte("Disappear", a.Disappear);
    v.Byte("WithHand", a.WithHand);
    v.Byte("Encrypt", a.Encrypt);
    v.Byte("Function", a.Function);
    v.Address("Coil", a.Coil);
    v.Byte("CoilAction", a.CoilAction);
    v.Byte("Jump", a.Jump);
    v.Int("PageNo", a.PageNo);
    v.Byte("PlcStop", a.PlcStop);
    v.Address("RegAddress", a.RegAddress);
    v.Int("RegNum", a.RegNum);
    v.Int("SetValue", a.SetValue);
}

// The face name is a text like any other, in the project's code page: the charset chooses the glyphs a face
// offers, not how its name is written.
template <class V, RecordOf<FontDesc> F>
void VisitFields(V& v, F& f) {
    v.Byte("Charset", f.Charset);
    v.Color("Color", f.Color);
    v.Int("Height", f.Height);
    v.Text("Name", f.Name, kFontNameCapacity);
    v.Byte("Pitch", f.Pitch);
    v.Int("Size", f.Size);
    v.Byte("Style", f.Style);
}

template <class V, RecordOf<ProjectSettings> S>
void VisitFields(V& v, S& s) {
    v.Int("PlcType", s.PlcType);
    v.Byte("CurrentModel", s.CurrentModel);
    v.Int("PanelStation", s.PanelStation);
    v.Int("HomePageNo", s.HomePageNo);
    v.Int("Password", s.Password);
    v.Int("AlarmCount", s.AlarmCount);
    v.Address("AlarmCoil", s.AlarmCoil);
    v.Byte("BaudCode", s.BaudCode);
    v.Byte("Parity", s.Parity);
    v.Byte("SevenDataBits", s.SevenDataBits);
    v.Byte("OneStopBit", s.OneStopBit);
    v.Byte("CtrlFlags", s.CtrlFlags);
    v.Address("CtrlReg", s.CtrlReg);
    v.Byte("ReservedByte", s.ReservedByte);
    v.Int("ModuleNum", s.ModuleNum);
    v.Int("PanelStatusLedNum", s.PanelStatusLedNum);
    v.Int("ScreenSaveTime", s.ScreenSaveTime);
    v.Byte("ScreenSaveTurnOffLight", s.ScreenSaveTurnOffLight);
    v.Int("ScreenSavePageNo", s.ScreenSavePageNo);
    v.Byte("BlueGroundWhiteText", s.BlueGroundWhiteText);
    v.Byte("PowerBeep", s.PowerBeep);
    v.Byte("ExchangeWord", s.ExchangeWord);
    v.Byte("WriteNWords", s.WriteNWords);
}

// The common element header without Kind, which the callers handle: it decides the fields that follow. The
// project file stores Kind after these four and reads them into its own header record.
template <class V, class E>
requires RecordOf<E, Element> || RecordOf<E, records::ElementHeader>
void VisitHeader(V& v, E& e) {
    v.Int("X", e.X);
    v.Int("Y", e.Y);
    v.Byte("Double", e.Double);
    v.Byte("Inverse", e.Inverse);
}

template <class V>
void VisitFields(V&, const std::monostate&) {}

template <class V, RecordOf<TextFields> F>
void VisitFields(V& v, F& f) {
    v.Text("Content", f.Content, kShortTextCapacity);
}

template <class V, RecordOf<RegFields> F>
void VisitFields(V& v, F& f) {
    v.Address("Address", f.Address);
    v.Int("Num", f.Num);
    v.Int("Digits", f.Digits);
    v.Int("DecimalDigits", f.DecimalDigits);
    v.Byte("Pre0", f.Pre0);
    v.Byte("Float", f.Float);
    v.Byte("DecDisp", f.DecDisp);
    v.Byte("Unsigned", f.Unsigned);
    v.Byte("NeedSet", f.NeedSet);
    v.Byte("Encrypt", f.Encrypt);
    v.Byte("Limit", f.Limit);
    v.Byte("Convert", f.Convert);
    v.Int("UpLimit", f.UpLimit);
    v.Int("LowLimit", f.LowLimit);
    v.Int("ValUpLimit", f.ValUpLimit);
    v.Int("ValLowLimit", f.ValLowLimit);
}

template <class V, RecordOf<LampFields> F>
void VisitFields(V& v, F& f) {
    v.Int("LampType", f.LampType);
    v.Address("Coil", f.Coil);
    v.Byte("PosLogic", f.PosLogic);
}

template <class V, RecordOf<FuncKeyFields> F>
void VisitFields(V& v, F& f) {
    v.Action("Action", f.Action);
}

// The fields trends and bars share, Address to FullValue.
template <class V, RecordOf<GraphFields> F>
void VisitGraphFields(V& v, F& f) {
    v.Address("Address", f.Address);
    v.Int("Num", f.Num);
    v.Byte("DecDisp", f.DecDisp);
    v.Byte("Unsigned", f.Unsigned);
    v.Byte("Float", f.Float);
    v.Int("DecimalDigits", f.DecimalDigits);
    v.Int("Width", f.Width);
    v.Int("Height", f.Height);
    v.Int("ZeroValue", f.ZeroValue);
    v.Int("FullValue", f.FullValue);
}

template <class V, RecordOf<TrendFields> F>
void VisitFields(V& v, F& f) {
    using Graph = std::conditional_t<std::is_const_v<F>, const GraphFields, GraphFields>;
    VisitGraphFields(v, static_cast<Graph&>(f));
    v.Int("SamplePoints", f.SamplePoints);
    v.Int("SamplePeriod", f.SamplePeriod);
}

template <class V, RecordOf<BarFields> F>
void VisitFields(V& v, F& f) {
    using Graph = std::conditional_t<std::is_const_v<F>, const GraphFields, GraphFields>;
    VisitGraphFields(v, static_cast<Graph&>(f));
    v.Int("Direct", f.Direct);
}

template <class V, RecordOf<PicFields> F>
void VisitFields(V& v, F& f) {
    v.Int("Width", f.Width);
    v.Int("Height", f.Height);
    v.Bitmap("Bitmap", f.Bitmap);
}

template <class V, RecordOf<VarTextFields> F>
void VisitFields(V& v, F& f) {
    v.Address("Address", f.Address);
    v.Byte("DecDisp", f.DecDisp);
    v.TextTable("Count", "Texts", f.Count, f.Texts, kShortTextCapacity);
    v.Int("MaxLen", f.MaxLen);
}

template <class V, RecordOf<FontTextFields> F>
void VisitFields(V& v, F& f) {
    v.Text("Content", f.Content, kLongTextCapacity);
    v.Font("Font", f.Font);
}

template <class V, RecordOf<TouchKeyFields> F>
void VisitFields(V& v, F& f) {
    v.Text("Content", f.Content, kLongTextCapacity);
    v.Font("Font", f.Font);
    v.Action("Action", f.Action);
    v.Byte("Indicate", f.Indicate);
}

template <class V, RecordOf<VarFontTextFields> F>
void VisitFields(V& v, F& f) {
    v.Address("Address", f.Address);
    v.Byte("DecDisp", f.DecDisp);
    v.TextTable("Count", "Texts", f.Count, f.Texts, kLongTextCapacity);
    v.Font("Font", f.Font);
    v.Int("MaxWidth", f.MaxWidth);
    v.Int("MaxHeight", f.MaxHeight);
}

template <class V, RecordOf<ASCIITextFields> F>
void VisitFields(V& v, F& f) {
    v.Address("Address", f.Address);
    v.Int("Num", f.Num);
    v.Int("CharNum", f.CharNum);
}

// The kind's own fields, whichever alternative the element holds.
template <class V, RecordOf<ElementFields> F>
void VisitKindFields(V& v, F& fields) {
    std::visit([&v](auto& kindFields) { VisitFields(v, kindFields); }, fields);
}

}  // namespace fields

}  // namespace qxed
