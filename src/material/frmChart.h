#pragma once

// The enlarged chart: a copy, taken once when the window loads, of the chart of the current
// material's window, with its own save, print and return buttons. Shown modally.

#include "platform/ErrorBoundary.h"

#include <QDialog>
#include <QString>
#include <array>

class QGroupBox;
class QLabel;
class QPushButton;

namespace controls {
class Chart;
}

class frmChart : public QDialog
{
    Q_OBJECT
public:
    explicit frmChart(QWidget *parent = nullptr);
    ~frmChart() override;

    // The key of the table the material window showed when this window opened.
    QString TableKey() const { return m_strTable; }

    // The buttons beside the chart.
    enum GraphButton : int { SaveGraph = 0, PrintGraph = 1, ReturnToMaterial = 2 };
    static constexpr int GraphButtons = 3;
    void cmdGraph_Click(int Index);
    // The chart's frame in the colour scheme's light colour while on, white while off.
    void ApplyColours(bool on);

    void done(int result) override;

protected:
    bool event(QEvent *e) override;

private:
    // The material window's: its buttons' handlers are connected behind it.
    static constexpr platform::OnError ErrorPolicy = platform::OnError::ShowNumbered;

    // Tests drive the window through its controls, as a user would.
    friend class tst_material_charts;

    // --- controls ---------------------------------------------------------------------------------
    QGroupBox *framChart = nullptr;
    controls::Chart *MSChart1 = nullptr;
    QLabel *lblBack = nullptr;
    std::array<QPushButton *, GraphButtons> cmdGraph{}; // by GraphButton

    void CreateControls();
    void Form_Load();
    void Form_Activate();
    void Form_Unload();

    QString m_strTable;
    bool m_unloaded = false;
};
