#pragma once

// The index of particular material appraisals: filtered by one search text over all their text
// fields, sorted by any column, and each appraisal's document opened by a double click or Enter.

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace controls {
class DataGrid;
}
namespace db {
class DataControl;
}

class frmPmaIndex : public QDialog
{
    Q_OBJECT
public:
    explicit frmPmaIndex(QWidget *parent = nullptr);
    ~frmPmaIndex() override;

    // The database file of the index and the general information document, in the program folder.
    static QString IndexDatabasePath();
    static QString InfoDocumentPath();
    // A document path of the index; a relative one is taken relative to the program folder.
    static QString DocumentPath(const QString &strStored);

    void Form_Load();
    void ShowAllPma();
    void cmdSearch_Click();
    void cmdInfo_Click();
    void txtSearchString_Change();
    // Returns true when the key was taken (Enter runs the search).
    bool txtSearchString_KeyPress(int KeyAscii);
    void tdbIndex_DblClick();
    // Enter on a row opens its document, as a double click does.
    void tdbIndex_KeyDown(int KeyCode);
    void tdbIndex_HeadClick(int ColIndex);
    void tdbIndex_FootClick(int ColIndex);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class SearchWindowTest;
    friend class SearchDialogTest;

    // --- controls ---------------------------------------------------------------------------------
    db::DataControl *dtaPmaIndex = nullptr;
    controls::DataGrid *tdbIndex = nullptr;
    QLineEdit *txtSearchString = nullptr;
    QPushButton *cmdSearch = nullptr;
    QPushButton *cmdInfo = nullptr;
    QGroupBox *fraInfo = nullptr;
    QLabel *lblInfo = nullptr;

    // The controls follow the window's size.
    void ArrangeControls();
    // Runs a record source; a failure is reported and the rows shown before stay.
    void RunSource(const QString &strSource);
    QString FieldOfColumn(int ColIndex) const;
};
