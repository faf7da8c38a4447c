#pragma once

// The program's one multiple-document main window and the program-wide state that every other
// window reads and writes through its single instance.
//
// OWNERSHIP NOTE (remove once the window is complete): this header is the shared contract of the
// windows being built in parallel. Keep the public names; add members, do not rename them.

#include "platform/Collection.h"
#include "platform/OleColor.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

class QMdiArea;
class Material;
class frmMaterial2;

using MaterialPtr = std::shared_ptr<Material>;

class mdiVelkor : public QMainWindow
{
    Q_OBJECT
public:
    explicit mdiVelkor(QWidget *parent = nullptr);
    ~mdiVelkor() override;

    // The single instance (nullptr before it is created and after it is gone).
    static mdiVelkor *instance();

    // Public state, in declaration order.
    platform::OleColor vMyGreen = 0xA8FBA2;
    platform::OleColor vMyBlue = 0xFEC7A5;
    MaterialPtr mCurrent;
    platform::Collection<MaterialPtr> colMaterials; // keyed by the material id as decimal text
    qint16 iMaterialsOpen = 0;
    QString strLastViewButton;
    QString strLastWindowButton;
    qint16 iWindowArrange = 0;
    bool blnLowResolution = false;
    bool blnColoursOFF = false;
    bool blnBatchPrint = false;
    QPointer<frmMaterial2> frmCurrentDesign;
    bool blnToolTips = false;
    bool blnEnglish = false;
    bool blnEnglishSystem = false;

    // The MDI area holding the search window and the material windows.
    QMdiArea *mdiArea() const { return m_mdiArea; }

    // Table catalogue.
    void InitTableNames();
    QString GetTableName(int index) const;      // VbError 9 outside 0..13
    QString GetShortTableName(int index) const; // VbError 9 outside 0..13
    qint16 GetTableIndex(const QString &strTable) const;
    QString GetCaption(const QString &strTable) const;

    // Status bar texts.
    void SetStatus();
    void ShowStatus(int index); // VbError 9 outside the ranges

    // Colour scheme.
    void Do_Undo_Colour_All();
    void Do_Undo_Colour(QWidget *frm);
    void MDIForm_DblClick();

    void DoBatchPrint();
    void ShowAbout();
    void SelectMaterials();
    void UpdateMenusAndButtons();

    void GetDecimal();
    qint16 CheckScreenResolution() const;
    void CloseMainWindow();

private:
    QMdiArea *m_mdiArea = nullptr;
};
