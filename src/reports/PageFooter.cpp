#include "reports/PageFooter.h"

#include "controls/ReportControls.h"

namespace reports {

void addPageOfPages(controls::ReportControls &footer)
{
    using controls::ReportField;
    footer.addLabel(QStringLiteral("lblPage"), 4557, 0, 450, 285, QStringLiteral("Page"))->font().size = 8;
    auto *page = footer.addField(QStringLiteral("txtPage"), 5007, 0, 350, 285);
    page->setPageValue(ReportField::PageValue::PageNumber);
    page->setAlignment(controls::textalign::Centre);
    page->font().size = 8;
    footer.addLabel(QStringLiteral("lblOf"), 5357, 0, 267, 285, QStringLiteral("of"))->font().size = 8;
    auto *total = footer.addField(QStringLiteral("txtPageTotal"), 5624, 0, 350, 285);
    total->setPageValue(ReportField::PageValue::PageCount);
    total->setAlignment(controls::textalign::Centre);
    total->font().size = 8;
}

} // namespace reports
