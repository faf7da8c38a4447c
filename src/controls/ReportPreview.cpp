#include "controls/ReportPreview.h"

#include "controls/Report.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/VbError.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace controls {

namespace {
const double Zooms[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};

QToolButton *toolButton(const QString &text, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}
} // namespace

ReportPreview::ReportPreview(Report *report, QWidget *owner) : QDialog(owner), m_report(report)
{
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowTitle(report ? report->caption() : QString());
    resize(platform::twipsToPixels(13500), platform::twipsToPixels(10500));

    auto *bar = new QHBoxLayout;
    m_print = toolButton(tr("Print..."), this);
    m_first = toolButton(QStringLiteral("|<"), this);
    m_previous = toolButton(QStringLiteral("<"), this);
    m_next = toolButton(QStringLiteral(">"), this);
    m_last = toolButton(QStringLiteral(">|"), this);
    m_print->setObjectName(QStringLiteral("cmdPrint"));
    m_first->setObjectName(QStringLiteral("cmdFirstPage"));
    m_previous->setObjectName(QStringLiteral("cmdPreviousPage"));
    m_next->setObjectName(QStringLiteral("cmdNextPage"));
    m_last->setObjectName(QStringLiteral("cmdLastPage"));
    // The arrows read as names of their pages for screen readers.
    m_first->setAccessibleName(QStringLiteral("First Page"));
    m_previous->setAccessibleName(QStringLiteral("Previous Page"));
    m_next->setAccessibleName(QStringLiteral("Next Page"));
    m_last->setAccessibleName(QStringLiteral("Last Page"));
    m_pageText = new QLabel(this);
    m_zoomBox = new QComboBox(this);
    m_zoomBox->setObjectName(QStringLiteral("cboZoom"));
    for (double z : Zooms)
        m_zoomBox->addItem(QStringLiteral("%1 %").arg(qRound(z * 100)), z);
    m_zoomBox->setCurrentIndex(2);
    m_zoomBox->setAccessibleName(QStringLiteral("Zoom"));
    bar->addWidget(m_print);
    bar->addSpacing(12);
    bar->addWidget(m_first);
    bar->addWidget(m_previous);
    bar->addWidget(m_pageText);
    bar->addWidget(m_next);
    bar->addWidget(m_last);
    bar->addSpacing(12);
    bar->addWidget(m_zoomBox);
    bar->addStretch();

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setAccessibleName(QStringLiteral("Page"));
    m_pageView = new QLabel;
    m_pageView->setFrameShape(QFrame::Box);
    m_scroll->setWidget(m_pageView);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_print, &QToolButton::clicked, this, &ReportPreview::printWithDialog);
    connect(m_first, &QToolButton::clicked, this, [this] { setPageIndex(0); });
    connect(m_previous, &QToolButton::clicked, this, [this] { setPageIndex(m_page - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { setPageIndex(m_page + 1); });
    connect(m_last, &QToolButton::clicked, this, [this] { setPageIndex(pageCount() - 1); });
    connect(m_zoomBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(m_zoomBox->itemData(index).toDouble()); });
    // The page keys turn the pages, wherever the focus is in the preview.
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, this,
            [this] { setPageIndex(m_page + 1); });
    connect(new QShortcut(QKeySequence(Qt::Key_PageUp), this), &QShortcut::activated, this,
            [this] { setPageIndex(m_page - 1); });
    updatePage();
}

int ReportPreview::pageCount() const
{
    return m_report ? m_report->pageCount() : 0;
}

void ReportPreview::setPageIndex(int index)
{
    m_page = std::clamp(index, 0, std::max(0, pageCount() - 1));
    updatePage();
}

void ReportPreview::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, 0.1, 4.0);
    updatePage();
}

void ReportPreview::updatePage()
{
    const int count = pageCount();
    m_pageText->setText(tr("Page %1 of %2").arg(count ? m_page + 1 : 0).arg(count));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
    m_print->setEnabled(count > 0);
    if (!m_report || count == 0) {
        m_pageView->clear();
        return;
    }
    m_pageView->setPixmap(QPixmap::fromImage(pageImage(m_report->document(), m_page, m_zoom)));
    m_pageView->adjustSize();
}

bool ReportPreview::printReport(QPrinter *printer)
{
    if (!m_report || pageCount() == 0)
        return false;
    const ReportDocument &document = m_report->document();
    printer->setFullPage(true);
    printer->setDocName(document.title);
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const double scale = printer->resolution() / 1440.0;
    for (int p = 0; p < document.pages.size(); ++p) {
        if (p > 0 && !printer->newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        paintPage(painter, document, p);
        painter.restore();
    }
    return painter.end();
}

void ReportPreview::printWithDialog()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!platform::showPrinter(&printer, windowTitle()))
        return;
    if (!printReport(&printer))
        platform::msgBox(tr("The report could not be printed."), platform::vbCritical);
}

int ReportPreview::vbWindowState() const
{
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized)
        return 1;
    if (state & Qt::WindowMaximized)
        return 2;
    return 0;
}

void ReportPreview::applyWindowState(int state)
{
    Qt::WindowStates flags = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == 1)
        flags |= Qt::WindowMinimized;
    else if (state == 2)
        flags |= Qt::WindowMaximized;
    if (flags != windowState())
        setWindowState(flags);
}

void ReportPreview::raiseResize()
{
    if (!m_report)
        return;
    try {
        m_report->previewResize();
    } catch (const platform::VbError &) {
        // The preview stays as it is.
    }
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    raiseResize();
}

void ReportPreview::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        raiseResize();
}

} // namespace controls
