#include "files/file_element_records.h"

#include <utility>
#include <variant>

#include "files/binary_fields.h"
#include "model/element_defaults.h"

namespace qxed::records {

namespace {

// The fields of a kind with their plain defaults: the alternative whose index is the kind code.
template <std::size_t... I>
ElementFields FieldsOfKind(std::size_t kind, std::index_sequence<I...>) {
    ElementFields fields;
    ((kind == I ? (fields.emplace<I>(), 0) : 0), ...);
    return fields;
}

ElementFields FieldsOfKind(int32_t kind) {
    if (!IsKnownKind(kind)) return {};
    return FieldsOfKind(static_cast<std::size_t>(kind),
                        std::make_index_sequence<std::variant_size_v<ElementFields>>{});
}

}  // namespace

ElementHeader ReadElementHeader(ByteReader& in) {
    ElementHeader header;
    FieldReader reader(in);
    fields::VisitHeader(reader, header);
    header.Kind = in.I32();
    return header;
}

Element MakeElement(const Project& project, const ElementHeader& header) {
    Element element = NewElementForReading(project, header.Kind);
    element.X = header.X;
    element.Y = header.Y;
    element.Double = header.Double;
    element.Inverse = header.Inverse;
    element.Kind = header.Kind;
    // The data that follows is read by the kind code: the fields must be of that kind.
    if (element.Fields.index() != static_cast<std::size_t>(IsKnownKind(header.Kind) ? header.Kind : 0)) {
        element.Fields = FieldsOfKind(header.Kind);
    }
    return element;
}

void WriteElement(ByteWriter& out, const Element& element) {
    const std::size_t fieldsKind = element.Fields.index();
    // Fields decide the kind; an element without fields keeps its code and, for a known kind, gets that
    // kind's plain data so that the record stays readable.
    const int32_t kind = fieldsKind != 0 ? static_cast<int32_t>(fieldsKind) : element.Kind;
    FieldWriter writer(out);
    fields::VisitHeader(writer, element);
    out.I32(kind);
    if (fieldsKind == 0 && IsKnownKind(kind)) {
        const ElementFields plain = FieldsOfKind(kind);
        fields::VisitKindFields(writer, plain);
    } else {
        fields::VisitKindFields(writer, element.Fields);
    }
}

void ReadElementData(ByteReader& in, Element& element) {
    FieldReader reader(in);
    fields::VisitKindFields(reader, element.Fields);
}

}  // namespace qxed::records
