#pragma once
#include <cstdint>

namespace qxed {

// What one notice of the document says has changed. A view looks at the parts it shows and redraws those;
// it never asks the others to.
struct Change {
    enum Part : unsigned {
        Settings = 1u << 0,     // the settings block: PLC link, model, panel options, control registers
        PageList = 1u << 1,     // pages added, deleted or retitled
        Page = 1u << 2,         // the content of page PageNumber: elements added, deleted, its title or links
        Element = 1u << 3,      // the fields of element ElementIndex on page PageNumber
        Selection = 1u << 4,    // whether an element is selected, and which element is in front
        CurrentPage = 1u << 5,  // another page became current
        Alarms = 1u << 6,       // alarm count, start coil and texts
        Keys = 1u << 7,         // the global function keys and their count
        FileState = 1u << 8,    // file name, Modified, ImportedData
        // A project was replaced as a whole (New, Open, Import, undo).
        Everything = (1u << 9) - 1,
    };
    // The parts that belong to the project's content: a change of one of them marks the project modified.
    static constexpr unsigned kContentParts = Settings | PageList | Page | Element | Alarms | Keys;

    unsigned Parts = 0;
    uint16_t PageNumber = 0;  // for Page and Element
    int ElementIndex = -1;    // for Element

    bool Has(Part part) const { return (Parts & part) != 0; }
    bool Empty() const { return Parts == 0; }
    bool ChangesContent() const { return (Parts & kContentParts) != 0; }

    // Both changes at once; page and element stay those of the first unless it names none.
    Change& operator|=(const Change& other) {
        if (PageNumber == 0 && ElementIndex < 0) {
            PageNumber = other.PageNumber;
            ElementIndex = other.ElementIndex;
        }
        Parts |= other.Parts;
        return *this;
    }
};

}  // namespace qxed
