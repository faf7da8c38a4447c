#include "reports/ExportFormats.h"

#include "controls/ReportExport.h"
#include "platform/Twips.h"

#include <QGroupBox>
#include <QRadioButton>

namespace exportformat {

namespace {

template <typename Writer>
std::unique_ptr<controls::ReportExportFilter> make()
{
    return std::make_unique<Writer>();
}

// The options stand one below the other, one step apart, below the frame's caption.
constexpr int OptionPitch = 360;

} // namespace

const Format Formats[Count] = {
    {Type::Pdf, "*.pdf", "Portable Document Format", "Portable Document Format (*.pdf)|*.pdf", ".pdf", true,
     &make<controls::PdfExport>},
    {Type::Rtf, "*.rtf", "Rich Text Format", "Rich Text Format (*.rtf)|*.rtf", ".rtf", false,
     &make<controls::RtfExport>},
    {Type::Text, "*.txt", "Text Format", "Text Format (*.txt)|*.txt", ".txt", false, &make<controls::TextExport>},
};

const Format &Of(Type type)
{
    for (const Format &format : Formats)
        if (format.type == type)
            return format;
    return Formats[0];
}

Options AddOptions(QGroupBox *frame, int widthTwips)
{
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(9);
    Options options{};
    for (int i = 0; i < Count; ++i) {
        auto *option = new QRadioButton(QString::fromLatin1(Formats[i].option), frame);
        option->setObjectName(QStringLiteral("optFormat%1").arg(i));
        option->setFont(arial);
        option->setToolTip(QString::fromLatin1(Formats[i].tip));
        platform::moveTwips(option, 360, OptionPitch * (i + 1), widthTwips, 300);
        options[std::size_t(i)] = option;
    }
    options[0]->setChecked(true);
    return options;
}

int FrameHeightTwips()
{
    return OptionPitch * (Count + 1) + 120;
}

Type Chosen(const Options &options)
{
    for (int i = 0; i < Count; ++i)
        if (options[std::size_t(i)]->isChecked())
            return Formats[i].type;
    return Formats[Count - 1].type;
}

} // namespace exportformat
