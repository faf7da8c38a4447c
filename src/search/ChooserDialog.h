#pragma once

// What the two chooser dialogs share: a data control moved through by four buttons, a find box with
// four find buttons, Select and Cancel, and frames that keep to the lower right corner when the
// dialog grows.

#include "search/modDBaseChooser.h"

#include <QDialog>
#include <array>
#include <vector>

class QLineEdit;
class QPushButton;

namespace db {
class DataControl;
class Recordset;
} // namespace db

namespace search {

class ChooserDialog : public QDialog
{
    Q_OBJECT
public:
    ~ChooserDialog() override;

    virtual void Form_Activate() = 0;
    virtual void Form_Resize();
    virtual void Form_Unload() = 0;
    virtual void txtSearch_Change() = 0;
    virtual void cmdFind_Click(int Index) = 0;
    virtual void cmdSelNav_Click(int Index);
    virtual void cmdSelect_Click() = 0;
    void cmdCancel_Click();

    // Escape and the close box cancel.
    void reject() override;
    void done(int result) override;

protected:
    explicit ChooserDialog(QWidget *parent);

    // --- controls, shared with the two dialogs ---------------------------------------------------
    db::DataControl *dtaSelect = nullptr;
    std::array<QPushButton *, modDBase::NavigationButtons> cmdSelNav{};
    QLineEdit *txtSearch = nullptr;
    std::array<QPushButton *, modDBase::NavigationButtons> cmdFind{};
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

    // Each makes its controls in the frame and connects them; the dialog places them.
    void makeNavigation(QWidget *frame);
    void makeFind(QWidget *frame);
    void makeSelectCancel(QWidget *frame);

    static bool toolTipsOn();
    void clearTipsWhenOff();
    void showFindTips();
    static void findRecord(db::Recordset *rs, int index, const QString &criteria);

    // Taken at load: the frames move with the lower right corner, the list grows with the dialog.
    void rememberLayout(std::vector<QWidget *> frames, QWidget *list);

    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool m_activated = false;
    bool m_unloaded = false;
    bool m_resizing = false;
    double m_loadWidth = 0;
    double m_loadHeight = 0;
    std::vector<QWidget *> m_frames;
    std::vector<double> m_frameLeft;
    std::vector<double> m_frameTop;
    QWidget *m_list = nullptr;
    double m_listWidth = 0;
    double m_listHeight = 0;
};

} // namespace search
