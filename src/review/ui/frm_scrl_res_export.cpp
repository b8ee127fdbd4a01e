// Export EDF+ of the scrolling chart review: the file chosen, the overwrite
// question, the chart written and the examiner told how it went.
#include <QDir>
#include <QFileDialog>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/text_format.h"
#include "core/texts/review.h"
#include "core/workstation.h"
#include "platform/qt_text.h"
#include "review/chart_edf_export.h"
#include "review/chart_files.h"
#include "review/scroll_res_view.h"
#include "review/ui/frm_scrl_res.h"

namespace lumo::review::ui {

namespace fs = std::filesystem;
using platform::qs;

QString chooseEdfFile(QWidget* parent, const core::Texts& texts, const QString& caption, const QString& proposed) {
    // Non-native, so it behaves alike on every desktop; the window asks about
    // an existing file itself, after ".edf" may have been appended.
    return QFileDialog::getSaveFileName(parent, caption, proposed, qs(texts(txt::ScrlResExportFilter)), nullptr,
                                        QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
}

bool TfrmScrlRes::exportEdf() {
    const core::Texts& texts = ws_.texts();
    const ReviewFiles& files = view_->chart().files();
    const fs::path folder = steps_.exportFolder->empty() ? fs::path(QDir::homePath().toStdString())
                                                         : *steps_.exportFolder;
    const QString chosen =
        steps_.edfFile(this, qs(texts(txt::ScrlResExportCaption)), qs((folder / edfFileName(files)).string()));
    if (chosen.isEmpty()) return false;
    const fs::path target = withEdfSuffix(fs::path(chosen.toStdString()));
    std::error_code ignored;
    if (fs::exists(target, ignored) &&
        !steps_.confirm(this, windowTitle(), qs(core::formatText(texts(txt::ScrlResExportExists), {target.string()})))) {
        return false;
    }
    try {
        exportReviewChart(files, ws_.settings(), target);
    } catch (const std::exception& error) {
        const std::string lead = core::formatText(texts(txt::ScrlResExportFailed), {files.chart.string(), target.string()});
        steps_.error(this, windowTitle(), qs(lead) + QLatin1Char('\n') + qs(error.what()));
        return false;
    }
    *steps_.exportFolder = target.parent_path();
    steps_.information(this, windowTitle(), qs(core::formatText(texts(txt::ScrlResExportDone), {target.string()})));
    return true;
}

}  // namespace lumo::review::ui
