#include "authoring/ui/frm_add_base.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/settings.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "platform/dialog_conventions.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

namespace {

// Template lines on black in their type's colour; the selected one black on
// white while the list has the focus, framed by two white lines otherwise.
class TemplateLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        const bool focused = option.widget != nullptr && option.widget->hasFocus();
        QColor text = index.data(Qt::ForegroundRole).value<QBrush>().color();
        painter->fillRect(option.rect, selected && focused ? Qt::white : Qt::black);
        if (selected && focused) text = Qt::black;
        if (selected && !focused) {
            painter->setPen(Qt::white);
            painter->drawLine(option.rect.topLeft(), option.rect.topRight());
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        }
        painter->setPen(text);
        const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
        painter->drawText(option.rect.adjusted(margin, 0, -margin, 0), Qt::AlignVCenter | Qt::AlignLeft,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

bool isPlainEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier;
}

}  // namespace

TfrmAddBase::TfrmAddBase(std::filesystem::path folder, const core::Texts& texts, core::QuestionTypes types,
                         std::vector<std::string> templateLines, QWidget* parent)
    : QDialog(parent), texts_(texts), chooser_(std::move(folder), texts, std::move(types), std::move(templateLines)) {
    setObjectName("frmAddBase");
    setWindowTitle(qs(texts(txt::AddBaseCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    lstTopics_ = new QListWidget(this);
    lstTopics_->setObjectName("lstTopics");
    conventions_->setHint(lstTopics_, texts(txt::AddBaseTopicsHint));
    conventions_->addField(lstTopics_);

    gbQuestions_ = new QGroupBox(this);
    gbQuestions_->setObjectName("gbQuestions");
    lstQuestions_ = new QListWidget(gbQuestions_);
    lstQuestions_->setObjectName("lstQuestions");
    conventions_->setHint(lstQuestions_, texts(txt::AddBaseQuestionsHint));
    conventions_->addField(lstQuestions_);
    lstQuestions_->installEventFilter(this);

    lstTemplate_ = new QListWidget(this);
    lstTemplate_->setObjectName("lstTemplate");
    lstTemplate_->setItemDelegate(new TemplateLineDelegate(lstTemplate_));
    QPalette black = lstTemplate_->palette();
    black.setColor(QPalette::Base, Qt::black);
    lstTemplate_->setPalette(black);
    lstTemplate_->setAutoFillBackground(true);
    conventions_->setHint(lstTemplate_, texts(txt::AddBaseTemplateHint));
    lstTemplate_->installEventFilter(this);

    const auto button = [this](int caption, int hint, const char* name) {
        auto* created = new QPushButton(qs(texts_(caption)), this);
        created->setObjectName(name);
        created->setAutoDefault(false);
        conventions_->setHint(created, texts_(hint));
        return created;
    };
    cmdPaste_ = button(txt::BankPaste, txt::AddBasePasteHint, "cmdPaste");
    cmdSave_ = button(txt::AddBaseSave, txt::AddBaseSaveHint, "cmdSave");
    cmdSave_->setDefault(true);
    cmdCancel_ = button(txt::ButtonCancel, txt::AddBaseCancelHint, "cmdCancel");

    auto* questions = new QVBoxLayout(gbQuestions_);
    questions->addWidget(conventions_->makeLabel(texts(txt::AddBaseQuestions), lstQuestions_));
    questions->addWidget(lstQuestions_);
    auto* topics = new QVBoxLayout;
    topics->addWidget(conventions_->makeLabel(texts(txt::AddBaseTopics), lstTopics_));
    topics->addWidget(lstTopics_);
    auto* bank = new QHBoxLayout;
    bank->addLayout(topics, 1);
    bank->addWidget(gbQuestions_, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdPaste_);
    buttons->addStretch();
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bank, 1);
    layout->addWidget(conventions_->makeLabel(texts(txt::AddBaseTemplate), lstTemplate_));
    layout->addWidget(lstTemplate_, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());
    setWindowState(windowState() | Qt::WindowMaximized);

    connect(lstTopics_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_) return;
        chooser_.selectTopic(row);
        showTopic();
    });
    connect(lstQuestions_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) chooser_.selectQuestion(row);
    });
    connect(lstTemplate_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) chooser_.selectLine(row);
    });
    connect(cmdPaste_, &QPushButton::clicked, this, &TfrmAddBase::cmdPasteClick);
    connect(cmdSave_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);

    chooser_.open();
    filling_ = true;
    for (int row = 0; row < static_cast<int>(chooser_.topics().size()); ++row) {
        lstTopics_->addItem(qs(chooser_.caption(row)));
    }
    lstTopics_->setCurrentRow(chooser_.selectedTopic());
    filling_ = false;
    showTopic();
    fillTemplate();
    lstTopics_->setFocus();
}

void TfrmAddBase::showTopic() {
    filling_ = true;
    lstQuestions_->clear();
    for (const std::string& question : chooser_.questions()) lstQuestions_->addItem(qs(question));
    lstQuestions_->setCurrentRow(chooser_.selectedQuestion());
    filling_ = false;
    gbQuestions_->setTitle(qs(chooser_.title()));
    const std::string error = chooser_.selectedError();
    conventions_->setHint(lstQuestions_, error.empty() ? texts_(txt::AddBaseQuestionsHint) : error + "|" + error);
    if (!error.empty()) conventions_->hintPanel()->setText(qs(error));
}

void TfrmAddBase::fillTemplate() {
    filling_ = true;
    lstTemplate_->clear();
    const auto& lines = chooser_.templateLines();
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        auto* item = new QListWidgetItem(qs(lines[static_cast<std::size_t>(row)]), lstTemplate_);
        const core::Rgb colour = chooser_.lineColour(row);
        item->setForeground(QColor(colour.red, colour.green, colour.blue));
    }
    lstTemplate_->setCurrentRow(chooser_.selectedLine());
    filling_ = false;
}

void TfrmAddBase::cmdPasteClick() {
    const int row = chooser_.selectedLine();
    if (!chooser_.paste()) return;
    lstTemplate_->item(row)->setText(qs(chooser_.templateLines()[static_cast<std::size_t>(row)]));
}

bool TfrmAddBase::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == lstQuestions_ || watched == lstTemplate_) && isPlainEnter(event)) {
        cmdPasteClick();
        return true;
    }
    // The selected line is drawn one way with the focus and another without.
    if (watched == lstTemplate_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        lstTemplate_->viewport()->update();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumo::authoring::ui
