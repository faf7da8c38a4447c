#pragma once

// The file formats a report is saved in, each described once: the save dialogs' options, the file
// dialog's filter and extension, and the writer that makes the file. A new format is a row here and
// its writer in controls/ReportExport.h.

#include <QString>
#include <QtGlobal>
#include <array>
#include <memory>

class QGroupBox;
class QRadioButton;

namespace controls {
class ReportExportFilter;
}

namespace exportformat {

// A format's code, as the report keeps it; the dialogs offer the formats in this order.
enum class Type : qint16 { Pdf = 0, Rtf = 1, Text = 2 };

struct Format
{
    Type type;
    const char *option; // the option's caption in the save dialogs
    const char *tip;    // its tool tip
    const char *filter; // the file dialog's filter, "text|pattern"
    const char *extension;
    // The report layout's pictures (the program's icon and banner) are written only to a format
    // that keeps them. A chart report's chart is not one of them: it is what was asked for, and
    // goes into every format that can hold a picture.
    bool pictures;
    std::unique_ptr<controls::ReportExportFilter> (*writer)();
};

inline constexpr int Count = 3;
extern const Format Formats[Count];

// The row of a format; the first row for a code of none.
const Format &Of(Type type);

// The save dialogs' options, one for each format in the frame, the first ticked; the frame's
// height in twips that holds them.
using Options = std::array<QRadioButton *, Count>;
Options AddOptions(QGroupBox *frame, int widthTwips);
int FrameHeightTwips();
// The format of the first ticked option; the last format when none is ticked.
Type Chosen(const Options &options);

} // namespace exportformat
