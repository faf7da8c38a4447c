#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QToolButton;

namespace controls {

class Report;

// The print preview of a run report: one page at a time, zoom, page navigation and printing.
class ReportPreview : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(Report *report, QWidget *owner);

    int pageIndex() const { return m_page; } // 0-based
    void setPageIndex(int index);
    int pageCount() const;
    double zoom() const { return m_zoom; } // 1 = 100 %
    void setZoom(double zoom);

    // Prints every page on a printer that is already set up; false when it cannot be started.
    bool printReport(QPrinter *printer);
    // The print button: the print dialog, then the printing.
    void printWithDialog();

    // 0 normal, 1 minimised, 2 maximised.
    int vbWindowState() const;
    void applyWindowState(int state);

    // The report goes away before its preview.
    void detachReport() { m_report = nullptr; }

    QLabel *pageLabel() const { return m_pageView; }
    QToolButton *printButton() const { return m_print; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updatePage();
    void raiseResize();

    Report *m_report;
    int m_page = 0;
    double m_zoom = 1.0;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_pageView = nullptr;
    QLabel *m_pageText = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QToolButton *m_print = nullptr;
    QToolButton *m_first = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
};

} // namespace controls
