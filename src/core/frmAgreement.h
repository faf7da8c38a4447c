#pragma once

// The agreement viewer: shows the licence agreement of the program folder and prints it.

#include <QDialog>
#include <memory>

class QPrinter;
class QPushButton;
namespace controls {
class RichTextBox;
}

class frmAgreement : public QDialog
{
    Q_OBJECT
public:
    explicit frmAgreement(QWidget *parent = nullptr);
    ~frmAgreement() override;

    // Creates the viewer, loads it and shows it modally.
    static void ShowModal(QWidget *owner);

    // The agreement document: the executable's name followed by "_License.rtf", in the program folder.
    static QString AgreementPath();

    void Form_Load();
    void Form_Resize();
    void cmdPrint_Click();
    void cmdReturn_Click();

    // The printer the print dialog sets up.
    QPrinter *printer() const { return m_printer.get(); }

    // The inner size remembered at load, in twips.
    double MinWidth() const { return m_minWidth; }
    double MinHeight() const { return m_minHeight; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Tests drive the dialog through its controls, as a user would.
    friend class tst_help;

    // --- controls ---------------------------------------------------------------------------------
    controls::RichTextBox *rtfAgreement = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdReturn = nullptr;

    std::unique_ptr<QPrinter> m_printer;
    double m_minWidth = 0;
    double m_minHeight = 0;
    // Margins of the load-time layout, in twips.
    double m_textRightMargin = 0;
    double m_textBottomMargin = 0;
    double m_buttonBottomDistance = 0;
};
