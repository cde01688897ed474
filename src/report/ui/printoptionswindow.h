#pragma once
// Form2: the print options. The user picks one money-order type (or all), all pages or a
// page range, and the paper; OK checks the choices and prints the slip, and the window
// can also show the slip on screen or save it as a PDF file.
#include "report/printchoices.h"
#include "report/qt/slipoutput.h"

#include "widgets/workwindow.h"
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;

namespace vorlane {

class CommandButton;
class Prompter;
struct Session;

class PrintOptionsWindow : public WorkWindow {
    Q_OBJECT
public:
    // Reads the batch, the tables and the file name; selects into lstMO2.
    PrintOptionsWindow(Session &session, Prompter &prompter, QWidget *parent);

    // As the command bar opens it, the focus on OK: the first time every type, every page,
    // A4; after that the type, pages and paper chosen last, as the clerk left them.
    void proposeDefaults();

    // The choices as the controls show them.
    PrintChoices choices() const;

    void Command1_Click(int index);  // 0 OK, 1 Cancel
    void Option3_Click();
    void Text1_Enter();
    void Text2_Enter();
    void Preview_Click();
    void SavePdf_Click();
    // The selected records as a workbook.
    void SaveExcel_Click();
    // Back to the entry window, with its record put back.
    void ClosePrintOptions();

    // Destinations, replaceable for tests. The defaults find the system's default queue,
    // print on it, ask for a file name and show the preview dialog.
    std::function<QString()> findPrinter;
    std::function<SlipResult(const QString &printer, const SlipJob &, const SlipProgress &)> printOnPrinter;
    std::function<QString()> choosePdfPath;
    std::function<QString()> chooseExcelPath;
    std::function<void(const SlipJob &)> showPreview;

    // On OK.
    void takeFocus() override;

    // The report type table: codes and captions.
    QStringList List1_0, List1_1;

Q_SIGNALS:
    // Printed, saved, or cancelled: the entry window comes back on its record.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadTypeCaptions();
    void applyLayout() override;
    // Shows the check's message and clears or focuses the box it names.
    void apply(const CheckOutcome &outcome);
    // Runs the OK checks; the request when they pass.
    std::optional<SlipRequest> checkedRequest();
    SlipJob job(const SlipRequest &request);
    // Reports what the run said; false when nothing reached the destination.
    bool report(const SlipResult &result);
    bool writePdf(const SlipRequest &request);
    SlipProgress progressFor(const QString &label);
    // The suggested name of a saved copy: the batch's name with `suffix`, beside the batch.
    QString suggestedPath(const QString &suffix) const;

    QGroupBox *m_typeGroup = nullptr, *m_pagesGroup = nullptr, *m_paperGroup = nullptr;
    std::array<QRadioButton *, 14> m_typeOptions{};
    QRadioButton *m_allPages = nullptr, *m_pageRange = nullptr, *m_letterPaper = nullptr, *m_a4Paper = nullptr;
    QLabel *m_firstPageLabel = nullptr, *m_lastPageLabel = nullptr;
    QLineEdit *m_firstPageBox = nullptr, *m_lastPageBox = nullptr;
    std::array<CommandButton *, 2> m_okCancel{};  // OK, Cancel
    CommandButton *m_previewButton = nullptr, *m_pdfButton = nullptr, *m_excelButton = nullptr;
    bool m_opened = false;
    Session &m_session;
    Prompter &m_prompter;
    QScrollArea *m_scroll = nullptr;
};

}  // namespace vorlane
