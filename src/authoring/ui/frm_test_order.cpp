#include "authoring/ui/frm_test_order.h"

#include <QCloseEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "authoring/ui/exam_sign_delegate.h"
#include "core/errors.h"
#include "core/string_table.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"

namespace lumo::authoring::ui {

using core::ui::qs;

TfrmTestOrder::TfrmTestOrder(core::Workstation& workstation, QWidget* parent)
    : QDialog(parent), ws_(workstation), editor_(workstation) {
    setObjectName("frmTestOrder");
    const core::Texts& texts = ws_.texts();
    conventions_ = new platform::DialogConventions(*this, texts);

    lblMethod_ = new QLabel(this);
    lblMethod_->setObjectName("lblMethod");

    lstOrders_ = new QListWidget(this);
    lstOrders_->setObjectName("lstOrders");
    conventions_->addField(lstOrders_);
    lstOrders_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstOrders_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    sgOrders_ = new QTableWidget(core::kOrderCount, QuestionOrderEditor::kGridColumns, this);
    sgOrders_->setObjectName("sgOrders");
    sgOrders_->horizontalHeader()->hide();
    sgOrders_->verticalHeader()->hide();
    sgOrders_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgOrders_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgOrders_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgOrders_->setFocusPolicy(Qt::NoFocus);
    sgOrders_->setShowGrid(false);
    sgOrders_->setItemDelegate(new ExamSignDelegate(sgOrders_));
    sgOrders_->setStyleSheet(QStringLiteral("QTableWidget { background: black; }"));
    const int cellWidth = sgOrders_->fontMetrics().horizontalAdvance(QStringLiteral("W20 "));
    const int cellHeight = sgOrders_->fontMetrics().height() + 6;
    sgOrders_->horizontalHeader()->setDefaultSectionSize(cellWidth);
    sgOrders_->horizontalHeader()->setMinimumSectionSize(1);
    sgOrders_->verticalHeader()->setDefaultSectionSize(cellHeight);
    sgOrders_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgOrders_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgOrders_->setFixedSize(cellWidth * QuestionOrderEditor::kGridColumns + 2 * sgOrders_->frameWidth(),
                            cellHeight * core::kOrderCount + 2 * sgOrders_->frameWidth());
    lstOrders_->setFixedHeight(sgOrders_->height());

    lstQuestions_ = new QListWidget(this);
    lstQuestions_->setObjectName("lstQuestions");
    lstQuestions_->setItemDelegate(new ExamSignDelegate(lstQuestions_, [this] { return editor_.picking(); }));
    lstQuestions_->setStyleSheet(QStringLiteral("QListWidget { background: black; }"));
    lstQuestions_->setMinimumHeight(lstQuestions_->fontMetrics().height() * 12);
    lstQuestions_->installEventFilter(this);
    lstOrders_->installEventFilter(this);

    cmdOK_ = new QPushButton(this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");

    conventions_->setHint(lstOrders_, texts(txt::OrderRowHint));
    conventions_->setHint(lstQuestions_, texts(txt::OrderQuestionsHint));
    lstOrders_->setAccessibleName(qs(std::string(core::shortHint(texts(txt::OrderRowHint)))));
    lstQuestions_->setAccessibleName(qs(std::string(core::shortHint(texts(txt::OrderQuestionsHint)))));

    auto* top = new QHBoxLayout;
    top->addWidget(lstOrders_);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(conventions_->makeLabel(texts(txt::OrderGridLabel), sgOrders_));
    gridColumn->addWidget(sgOrders_);
    top->addLayout(gridColumn, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMethod_);
    layout->addLayout(top);
    layout->addWidget(lstQuestions_, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    error_ = [this](const QString& text) {
        platform::showMessage(this, QMessageBox::Critical, windowTitle(), text, ws_.texts());
    };

    connect(lstOrders_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0) return;
        editor_.selectOrder(row + 1);
        fillGrid();
        fillQuestions();
    });
    connect(lstQuestions_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_ && row >= 0) editor_.setListSelection(row);
    });
    connect(lstQuestions_, &QListWidget::itemDoubleClicked, this, [this] {
        if (editor_.picking()) pickSelected();
    });
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmTestOrder::cmdOKClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &TfrmTestOrder::reject);
}

void TfrmTestOrder::prepare(OrderMode mode) {
    editor_.open(examFile_, mode, ws_.records().chosenOrder());
    const core::Texts& texts = ws_.texts();
    const bool set = mode == OrderMode::Set;
    setWindowTitle(qs(editor_.caption()));
    lblMethod_->setText(qs(editor_.methodCaption()));
    cmdOK_->setText(qs(texts(set ? txt::ButtonSave : txt::ButtonChoose)));
    conventions_->setHint(cmdOK_, texts(set ? txt::OrderSaveHint : txt::OrderChooseHint));
    conventions_->setHint(cmdCancel_, texts(set ? txt::OrderCancelSetHint : txt::OrderCancelChooseHint));
    filling_ = true;
    lstOrders_->clear();
    int widest = 0;
    for (int order = 1; order <= core::kOrderCount; ++order) {
        const QString caption = qs(editor_.orderCaption(order));
        lstOrders_->addItem(caption);
        widest = std::max(widest, lstOrders_->fontMetrics().horizontalAdvance(caption));
    }
    // The captions whole, in either language and at any scale.
    lstOrders_->setFixedWidth(widest + lstOrders_->fontMetrics().horizontalAdvance(QStringLiteral("MM")) +
                              2 * lstOrders_->frameWidth());
    lstOrders_->setCurrentRow(editor_.selectedOrder() - 1);
    filling_ = false;
    fillGrid();
    fillQuestions();
    refreshControls();
    lstOrders_->setFocus();
}

void TfrmTestOrder::fillGrid() {
    for (int order = 1; order <= core::kOrderCount; ++order) {
        for (int column = 0; column < QuestionOrderEditor::kGridColumns; ++column) {
            const OrderCell cell = editor_.cell(order, column);
            QTableWidgetItem* item = sgOrders_->item(order - 1, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                sgOrders_->setItem(order - 1, column, item);
            }
            item->setText(qs(cell.sign));
            item->setForeground(toQColor(cell.colour));
        }
    }
    sgOrders_->selectRow(editor_.selectedOrder() - 1);
}

void TfrmTestOrder::fillQuestions() {
    filling_ = true;
    lstQuestions_->clear();
    for (int line = 0; line < editor_.listCount(); ++line) {
        auto* item = new QListWidgetItem(qs(editor_.listLine(line)), lstQuestions_);
        item->setForeground(toQColor(editor_.listColour(line)));
    }
    if (editor_.listSelection() >= 0) lstQuestions_->setCurrentRow(editor_.listSelection());
    filling_ = false;
}

void TfrmTestOrder::refreshControls() {
    const bool free = !editor_.picking();
    lstOrders_->setEnabled(free);
    cmdOK_->setEnabled(free);
    cmdCancel_->setEnabled(free);
}

void TfrmTestOrder::startPicking() {
    if (!editor_.enterList()) return;
    fillGrid();
    fillQuestions();
    refreshControls();
}

void TfrmTestOrder::pickSelected() {
    editor_.pick();
    fillGrid();
    fillQuestions();
    if (!editor_.picking()) stopPicking();
}

void TfrmTestOrder::stopPicking() {
    editor_.cancelPicking();
    fillGrid();
    fillQuestions();
    refreshControls();
    lstOrders_->setFocus();
}

void TfrmTestOrder::cmdOKClick() {
    if (editor_.picking() || !editor_.isOpen()) return;
    if (editor_.mode() == OrderMode::Choose) {
        ws_.records().setChosenOrder(editor_.selectedOrder());
        accept();
        return;
    }
    try {
        editor_.save();
    } catch (const LumoError& error) {
        // The orders stay in the dialog; the old file is whole.
        error_(qs(error.what()));
        return;
    }
    accept();
}

void TfrmTestOrder::reject() {
    if (editor_.picking()) return;
    QDialog::reject();
}

void TfrmTestOrder::closeEvent(QCloseEvent* event) {
    if (editor_.picking()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool TfrmTestOrder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstQuestions_ && event->type() == QEvent::FocusIn) {
        startPicking();
    } else if (watched == lstQuestions_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (editor_.picking() && plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            pickSelected();
            return true;
        }
        if (editor_.picking() && key->key() == Qt::Key_Escape) {
            stopPicking();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lumo::authoring::ui
