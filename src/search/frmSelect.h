#pragma once

// The record chooser: the values of one field of a query in a list, found by a part of the value,
// moved through, and one picked.

#include "search/DataBoundList.h"

#include <QDialog>
#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace db {
class DataControl;
}

class frmSelect : public QDialog
{
    Q_OBJECT
public:
    explicit frmSelect(QWidget *parent = nullptr);
    ~frmSelect() override;

    db::DataControl *dtaSelect = nullptr;
    DataBoundList *dblSelect = nullptr;
    std::array<QGroupBox *, 3> framSelect{};
    std::array<QPushButton *, 4> cmdSelNav{};
    QLineEdit *txtSearch = nullptr;
    std::array<QPushButton *, 4> cmdFind{};
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

    bool NoData() const { return m_noData; }

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void cmdFind_Click(int Index);
    void cmdSelNav_Click(int Index);
    void txtSearch_Change();
    void cmdSelect_Click();
    void cmdCancel_Click();

    // Escape and the close box cancel.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString Criteria() const;

    bool m_noData = false;
    bool m_activated = false;
    bool m_unloaded = false;
    bool m_resizing = false;
    double m_loadWidth = 0;
    double m_loadHeight = 0;
    std::array<double, 3> m_frameLeft{};
    std::array<double, 3> m_frameTop{};
    double m_listWidth = 0;
    double m_listHeight = 0;
};
