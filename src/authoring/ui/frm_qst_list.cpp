#include "authoring/ui/frm_qst_list.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "authoring/ui/exam_sign_delegate.h"
#include "core/errors.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"

namespace lumo::authoring::ui {

using core::ui::qs;

namespace {

constexpr int kExamRole = Qt::UserRole;
constexpr int kChartsRole = Qt::UserRole + 1;

// Exams red, templates black (white when selected), on navy when selected,
// else white while the list has the focus and silver without; an exam's
// chart count at the right end of its line.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const bool exam = index.data(kExamRole).toBool();
        const auto* view = qobject_cast<const QWidget*>(option.widget);
        const bool focused = view != nullptr && view->hasFocus();
        painter->save();
        painter->fillRect(option.rect, selected ? QColor(0, 0, 128) : focused ? QColor(Qt::white) : QColor(192, 192, 192));
        painter->setPen(exam ? QColor(Qt::red) : selected ? QColor(Qt::white) : QColor(Qt::black));
        const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
        const QRect text = option.rect.adjusted(margin, 0, -margin, 0);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data(Qt::DisplayRole).toString());
        if (exam) {
            painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter, QString::number(index.data(kChartsRole).toInt()));
        }
        painter->restore();
    }
};

// Tells key moves from clicks: a move with the arrow or page keys resets
// the chosen question order, a click does not.
class EntryList : public QListWidget {
public:
    using QListWidget::QListWidget;
    bool movingByKey = false;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        movingByKey = true;
        QListWidget::keyPressEvent(event);
        movingByKey = false;
    }
};

}  // namespace

TfrmQstList::TfrmQstList(core::Workstation& workstation, int& rememberedPosition, QstListSteps steps, QWidget* parent)
    : QDialog(parent), ws_(workstation), steps_(std::move(steps)) {
    setObjectName("frmQstList");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);

    const auto box = [this](QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons) {
        return platform::showMessage(this, icon, windowTitle(), text, ws_.texts(), buttons);
    };
    if (!steps_.confirm) {
        steps_.confirm = [this](const QString& text) { return platform::askYesNo(this, windowTitle(), text, ws_.texts()); };
    }
    if (!steps_.warn) steps_.warn = [box](const QString& text) { box(QMessageBox::Warning, text, QMessageBox::Ok); };
    if (!steps_.inform) {
        steps_.inform = [box](const QString& text) { box(QMessageBox::Information, text, QMessageBox::Ok); };
    }
    if (!steps_.error) steps_.error = [box](const QString& text) { box(QMessageBox::Critical, text, QMessageBox::Ok); };

    ExamChooserSteps forChooser;
    if (steps_.editExam) {
        forChooser.editExam = [this](const std::filesystem::path& file, bool structure) {
            return steps_.editExam(this, file, structure);
        };
    }
    forChooser.setOrders = steps_.setOrders;
    forChooser.chooseOrder = steps_.chooseOrder;
    forChooser.runTest = steps_.runTest;
    forChooser.askTemplateName = [this](const std::string& proposal) -> std::optional<std::string> {
        if (!steps_.askText) return std::nullopt;
        const std::optional<QString> name =
            steps_.askText(windowTitle(), qs(ws_.texts()(txt::CmdNameNewTemplate)), qs(proposal));
        if (!name) return std::nullopt;
        return name->toStdString();
    };
    forChooser.confirm = [this](const std::string& text) { return steps_.confirm(qs(text)); };
    forChooser.warn = [this](const std::string& text) { steps_.warn(qs(text)); };
    forChooser.inform = [this](const std::string& text) { steps_.inform(qs(text)); };
    forChooser.error = [this](const std::string& text) { steps_.error(qs(text)); };
    chooser_ = std::make_unique<ExamChooser>(ws_, std::move(forChooser), rememberedPosition);
    setWindowTitle(qs(chooser_->caption()));

    lstPreview_ = new QListWidget(this);
    lstPreview_->setObjectName("lstPreview");
    lstPreview_->setItemDelegate(new ExamSignDelegate(lstPreview_));
    lstPreview_->setStyleSheet(QStringLiteral("QListWidget { background: black; }"));
    lstPreview_->setFocusPolicy(Qt::NoFocus);
    lstPreview_->setSelectionMode(QAbstractItemView::NoSelection);
    lstPreview_->setMinimumHeight(lstPreview_->fontMetrics().height() * 10);
    lstPreview_->setMinimumWidth(lstPreview_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80);

    lblMethod_ = new QLabel(this);
    lblMethod_->setObjectName("lblMethod");

    lstExams_ = new EntryList(this);
    lstExams_->setObjectName("lstExams");
    lstExams_->setItemDelegate(new EntryDelegate(lstExams_));
    lstExams_->installEventFilter(this);
    conventions_->setHint(lstExams_, texts(txt::ExamListHint));

    const auto button = [this](const std::string& caption, int hint, const char* name) {
        auto* created = new QPushButton(qs(caption), this);
        created->setObjectName(name);
        conventions_->setHint(created, ws_.texts()(hint));
        return created;
    };
    cmdSet_ = button(texts(txt::ExamListSet), txt::ExamListSetHint, "cmdSet");
    cmdChoose_ = button(texts(txt::ButtonChoose), txt::ExamListChooseHint, "cmdChoose");
    cmdEdit_ = button(texts(txt::ExamListEdit), txt::ExamListEditHint, "cmdEdit");
    cmdDelete_ = button(texts(txt::ExamListDelete), txt::ExamListDeleteHint, "cmdDelete");
    cmdTest_ = button(texts(txt::ExamListTest), txt::ExamListTestHint, "cmdTest");
    cmdTest_->setDefault(true);
    cmdCreate_ = button(texts(txt::ExamListCreate), txt::ExamListCreateHint, "cmdCreate");
    cmdToTemplate_ = button(texts(txt::ExamListToTemplate), txt::MainConvertToTemplateHint, "cmdToTemplate");
    cmdExit_ = button(texts(txt::ButtonExit), txt::ExamListExitHint, "cmdExit");

    auto* order = new QGroupBox(qs(texts(txt::ExamListOrder)), this);
    auto* orderButtons = new QHBoxLayout(order);
    orderButtons->addWidget(cmdSet_);
    orderButtons->addWidget(cmdChoose_);

    auto* heads = new QHBoxLayout;
    heads->addWidget(conventions_->makeLabel(texts(txt::ExamListExam), lstExams_));
    heads->addStretch();
    heads->addWidget(new QLabel(qs(texts(txt::ExamListCharts)), this));
    auto* listColumn = new QVBoxLayout;
    listColumn->addLayout(heads);
    listColumn->addWidget(lstExams_, 1);
    auto* commands = new QVBoxLayout;
    commands->addWidget(order);
    for (QPushButton* b : {cmdTest_, cmdEdit_, cmdDelete_, cmdCreate_, cmdToTemplate_}) commands->addWidget(b);
    commands->addStretch();
    commands->addWidget(cmdExit_);
    auto* lower = new QHBoxLayout;
    lower->addLayout(listColumn, 1);
    lower->addLayout(commands);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conventions_->makeLabel(texts(txt::ExamPreviewLabel), lstPreview_));
    layout->addWidget(lstPreview_, 2);
    layout->addWidget(lblMethod_);
    layout->addLayout(lower, 1);
    layout->addWidget(conventions_->hintPanel());

    connect(lstExams_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0) return;
        if (static_cast<EntryList*>(lstExams_)->movingByKey) {
            chooser_->moveTo(row);
        } else {
            chooser_->select(row);
        }
        showSelected();
    });
    connect(cmdSet_, &QPushButton::clicked, this, &TfrmQstList::cmdSetClick);
    connect(cmdChoose_, &QPushButton::clicked, this, &TfrmQstList::cmdChooseClick);
    connect(cmdEdit_, &QPushButton::clicked, this, &TfrmQstList::cmdEditClick);
    connect(cmdDelete_, &QPushButton::clicked, this, &TfrmQstList::cmdDeleteClick);
    connect(cmdTest_, &QPushButton::clicked, this, &TfrmQstList::cmdTestClick);
    connect(cmdCreate_, &QPushButton::clicked, this, &TfrmQstList::cmdCreateClick);
    connect(cmdToTemplate_, &QPushButton::clicked, this, &TfrmQstList::cmdToTemplateClick);
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::reject);
    // The list's background follows its focus.
    connect(qApp, &QApplication::focusChanged, lstExams_, [list = lstExams_] { list->viewport()->update(); });
}

bool TfrmQstList::fill() {
    if (!chooser_->open()) return false;
    fillList();
    lstExams_->setFocus();
    return true;
}

void TfrmQstList::fillList() {
    filling_ = true;
    lstExams_->clear();
    for (const ChooserEntry& entry : chooser_->entries()) {
        auto* item = new QListWidgetItem(qs(entry.name), lstExams_);
        item->setData(kExamRole, entry.exam);
        item->setData(kChartsRole, entry.chartCount);
    }
    lstExams_->setCurrentRow(chooser_->selected());
    filling_ = false;
    showSelected();
}

void TfrmQstList::showSelected() {
    if (lstExams_->currentRow() != chooser_->selected()) {
        filling_ = true;
        lstExams_->setCurrentRow(chooser_->selected());
        filling_ = false;
    }
    lstPreview_->clear();
    for (const PreviewLine& line : chooser_->preview()) {
        auto* item = new QListWidgetItem(qs(line.text), lstPreview_);
        item->setForeground(toQColor(line.colour));
    }
    lblMethod_->setText(chooser_->selectedEntry() != nullptr ? qs(chooser_->methodCaption()) : QString());
    refreshButtons();
}

void TfrmQstList::refreshButtons() {
    cmdSet_->setEnabled(chooser_->canSet() && static_cast<bool>(steps_.setOrders));
    cmdChoose_->setEnabled(chooser_->canChoose() && static_cast<bool>(steps_.chooseOrder) &&
                           static_cast<bool>(steps_.runTest));
    cmdTest_->setEnabled(chooser_->canTest());
    cmdEdit_->setEnabled(chooser_->canEdit());
    cmdDelete_->setEnabled(chooser_->canDelete());
    cmdToTemplate_->setEnabled(chooser_->canToTemplate() && static_cast<bool>(steps_.askText));
    cmdCreate_->setEnabled(chooser_->canCreate());
}

void TfrmQstList::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        steps_.error(qs(error.what()));
    }
}

void TfrmQstList::cmdSetClick() {
    if (!cmdSet_->isEnabled()) return;
    guarded([this] { chooser_->setOrders(); });
    fillList();
    cmdTest_->setFocus();
}

void TfrmQstList::cmdChooseClick() {
    if (!cmdChoose_->isEnabled()) return;
    guarded([this] { chooser_->chooseOrder(); });
    fillList();
}

void TfrmQstList::cmdEditClick() {
    if (!cmdEdit_->isEnabled()) return;
    guarded([this] { chooser_->editExam(); });
    fillList();
}

void TfrmQstList::cmdDeleteClick() {
    if (!cmdDelete_->isEnabled()) return;
    bool keepOpen = true;
    guarded([this, &keepOpen] { keepOpen = chooser_->deleteExam(); });
    if (!keepOpen) {
        reject();
        return;
    }
    fillList();
    lstExams_->setFocus();
}

void TfrmQstList::cmdTestClick() {
    if (!cmdTest_->isEnabled()) return;
    chosenExam_ = chooser_->test();
    if (chosenExam_ != 0) accept();
}

void TfrmQstList::cmdCreateClick() {
    if (!cmdCreate_->isEnabled()) return;
    guarded([this] { chooser_->createExam(); });
    fillList();
}

void TfrmQstList::cmdToTemplateClick() {
    if (!cmdToTemplate_->isEnabled()) return;
    guarded([this] { chooser_->toTemplate(); });
    fillList();
}

bool TfrmQstList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstExams_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            cmdDeleteClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumo::authoring::ui
