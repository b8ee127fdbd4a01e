#include "admin/ui/frm_subjects.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/string_table.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"

namespace lumo::admin::ui {

using core::ui::qs;

namespace {

constexpr int kBoundRole = Qt::UserRole;
constexpr int kVisibleRows = 14;
constexpr int kNameColumnChars = 30;

// Crimes with examinees filed under them: blue, yellow while selected.
class CrimeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(kBoundRole).toBool()) return;
        option->palette.setColor(QPalette::Text, QColor(Qt::blue));
        option->palette.setColor(QPalette::HighlightedText, QColor(Qt::yellow));
    }
};

// The head of the sort column: a triangle pointing up for ascending, down for
// descending, whichever way the platform style draws them.
class SortArrowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
        if (element != PE_IndicatorHeaderArrow || header == nullptr) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        // QHeaderView marks ascending as SortDown; the style draws SortUp as an upward triangle.
        QStyleOptionHeader flipped(*header);
        const auto* view = qobject_cast<const QHeaderView*>(widget);
        const Qt::SortOrder order = view != nullptr ? view->sortIndicatorOrder() : Qt::AscendingOrder;
        flipped.sortIndicator = order == Qt::AscendingOrder ? QStyleOptionHeader::SortUp : QStyleOptionHeader::SortDown;
        QProxyStyle::drawPrimitive(element, &flipped, painter, widget);
    }
};

}  // namespace

TfrmSubjects::TfrmSubjects(core::Workstation& workstation, QWidget* parent)
    : QDialog(parent), ws_(workstation), chooser_(workstation) {
    setObjectName("frmSubjects");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::SubjectsCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);
    boxes_ = DialogBoxes::messageBoxes(*this, texts);
    const auto hinted = [&](QWidget* widget, int hintId) { conventions_->setHint(widget, texts(hintId)); };

    sgSubjects_ = new QTableWidget(0, kSubjectColumnCount, this);
    sgSubjects_->setObjectName("sgSubjects");
    QStringList titles;
    for (int column = 0; column < kSubjectColumnCount; ++column) {
        titles.append(qs(chooser_.columnTitle(static_cast<SortColumn>(column))));
    }
    sgSubjects_->setHorizontalHeaderLabels(titles);
    sgSubjects_->verticalHeader()->hide();
    sgSubjects_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgSubjects_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgSubjects_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgSubjects_->setAlternatingRowColors(true);
    sgSubjects_->setWordWrap(false);
    QHeaderView* header = sgSubjects_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    auto* arrows = new SortArrowStyle;
    arrows->setParent(header);
    header->setStyle(arrows);
    sgSubjects_->verticalHeader()->setDefaultSectionSize(sgSubjects_->fontMetrics().lineSpacing() * 3 / 2);
    for (int column = 0; column < kSubjectColumnCount; ++column) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    header->setSectionResizeMode(static_cast<int>(SortColumn::Name), QHeaderView::Stretch);
    hinted(sgSubjects_, txt::SubjectsGridHint);
    sgSubjects_->installEventFilter(this);

    lstCrimes_ = new QListWidget(this);
    lstCrimes_->setObjectName("lstCrimes");
    lstCrimes_->setItemDelegate(new CrimeDelegate(lstCrimes_));
    hinted(lstCrimes_, txt::SubjectsCrimeHint);
    conventions_->addField(sgSubjects_);
    conventions_->addField(lstCrimes_);

    cmdChoose_ = new QPushButton(qs(texts(txt::ButtonChoose)), this);
    cmdChoose_->setObjectName("cmdChoose");
    cmdChoose_->setDefault(true);
    hinted(cmdChoose_, txt::SubjectsChooseHint);
    cmdDelete_ = new QPushButton(qs(texts(txt::ButtonDelete)), this);
    cmdDelete_->setObjectName("cmdDelete");
    hinted(cmdDelete_, txt::SubjectsDeleteHint);
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    hinted(cmdCancel_, txt::SubjectsCancelHint);

    QLabel* gridLabel = conventions_->makeLabel(texts(txt::SubjectsGridLabel), sgSubjects_);
    QLabel* crimeLabel = conventions_->makeLabel(texts(txt::SubjectsSearchByCrime), lstCrimes_);
    giveAccessKeys({gridLabel, crimeLabel, cmdChoose_, cmdDelete_, cmdCancel_});

    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(gridLabel);
    gridColumn->addWidget(sgSubjects_, 1);
    auto* crimeColumn = new QVBoxLayout;
    crimeColumn->addWidget(crimeLabel);
    crimeColumn->addWidget(lstCrimes_, 1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(gridColumn, 3);
    lists->addLayout(crimeColumn, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdChoose_);
    buttons->addWidget(cmdDelete_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());
    setTabOrder(sgSubjects_, lstCrimes_);
    setTabOrder(lstCrimes_, cmdChoose_);
    setTabOrder(cmdChoose_, cmdDelete_);
    setTabOrder(cmdDelete_, cmdCancel_);

    fillCrimes();
    fillGrid();
    // Wide enough for every column with a readable name, tall enough for a page of rows.
    const QFontMetrics metrics = sgSubjects_->fontMetrics();
    int width = sgSubjects_->frameWidth() * 2 + sgSubjects_->verticalScrollBar()->sizeHint().width() +
                metrics.averageCharWidth() * kNameColumnChars;
    header->resizeSections(QHeaderView::ResizeToContents);
    for (int column = 0; column < kSubjectColumnCount; ++column) {
        if (column != static_cast<int>(SortColumn::Name)) width += header->sectionSize(column);
    }
    sgSubjects_->setMinimumWidth(width);
    sgSubjects_->setMinimumHeight(header->sizeHint().height() + metrics.lineSpacing() * 3 / 2 * kVisibleRows);
    lstCrimes_->setMinimumWidth(lstCrimes_->sizeHintForColumn(0) + lstCrimes_->frameWidth() * 2 +
                                lstCrimes_->verticalScrollBar()->sizeHint().width());
    sgSubjects_->setFocus();

    connect(header, &QHeaderView::sectionClicked, this, &TfrmSubjects::sortBy);
    connect(sgSubjects_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { chooser_.selectRow(row); });
    connect(sgSubjects_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        chooser_.selectRow(row);
        cmdChooseClick();
    });
    connect(lstCrimes_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        chooser_.selectCrime(row);
        showFilter();
        showSelection();
    });
    connect(cmdChoose_, &QPushButton::clicked, this, &TfrmSubjects::cmdChooseClick);
    connect(cmdDelete_, &QPushButton::clicked, this, &TfrmSubjects::cmdDeleteClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSubjects::fillCrimes() {
    const bool refill = lstCrimes_->count() != static_cast<int>(chooser_.crimes().size());
    if (refill) {
        lstCrimes_->blockSignals(true);
        lstCrimes_->clear();
        for (const std::string& crime : chooser_.crimes()) lstCrimes_->addItem(qs(crime));
        lstCrimes_->setCurrentRow(chooser_.selectedCrime());
        lstCrimes_->blockSignals(false);
    }
    for (int entry = 0; entry < lstCrimes_->count(); ++entry) {
        const bool bound = chooser_.crimeBound(entry);
        QListWidgetItem* item = lstCrimes_->item(entry);
        item->setData(kBoundRole, bound);
        item->setData(Qt::ForegroundRole, bound ? QVariant(QColor(Qt::blue)) : QVariant());
    }
}

void TfrmSubjects::fillGrid() {
    const auto& rows = chooser_.rows();
    sgSubjects_->blockSignals(true);
    sgSubjects_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const auto cells = chooser_.cells(row);
        for (int column = 0; column < kSubjectColumnCount; ++column) {
            auto* item = new QTableWidgetItem(qs(cells[static_cast<std::size_t>(column)]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (column == static_cast<int>(SortColumn::Arch)) item->setTextAlignment(Qt::AlignCenter);
            sgSubjects_->setItem(row, column, item);
        }
    }
    sgSubjects_->blockSignals(false);
    sgSubjects_->horizontalHeader()->setSortIndicator(static_cast<int>(chooser_.sortColumn()),
                                                      chooser_.ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    showFilter();
    showSelection();
}

void TfrmSubjects::showFilter() {
    const auto& rows = chooser_.rows();
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        sgSubjects_->setRowHidden(row, !rows[static_cast<std::size_t>(row)].visible);
    }
}

void TfrmSubjects::showSelection() {
    sgSubjects_->blockSignals(true);
    const int row = chooser_.selectedRow();
    if (row >= 0) {
        sgSubjects_->setCurrentCell(row, 0);
        sgSubjects_->scrollToItem(sgSubjects_->item(row, 0));
    } else {
        sgSubjects_->clearSelection();
        sgSubjects_->setCurrentItem(nullptr);
    }
    sgSubjects_->blockSignals(false);
}

int TfrmSubjects::exec() {
    if (chooser_.empty()) {
        boxes_.inform(qs(chooser_.emptyMessage()));
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    const int result = QDialog::exec();
    pending_.rethrow();
    return result;
}

void TfrmSubjects::done(int result) {
    chooser_.finish();
    QDialog::done(result);
}

void TfrmSubjects::cmdChooseClick() {
    bool chosen = false;
    pending_.guard([&] { chosen = chooser_.choose(); }, [this] { reject(); });
    if (chosen) accept();
}

void TfrmSubjects::cmdDeleteClick() {
    ChooserPrompts prompts{[this](const std::string& text) { return boxes_.confirm(qs(text)); },
                           [this](const std::string& text) { boxes_.inform(qs(text)); },
                           [this](const std::string& text) { boxes_.error(qs(text)); }};
    if (chooser_.deleteSelected(prompts)) {
        reject();  // nobody left to choose
        return;
    }
    fillCrimes();
    fillGrid();
}

void TfrmSubjects::sortBy(int column) {
    if (column < 0 || column >= kSubjectColumnCount) return;
    chooser_.clickHeader(static_cast<SortColumn>(column));
    fillGrid();
}

bool TfrmSubjects::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sgSubjects_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            cmdDeleteClick();
            return true;
        }
        // Ctrl+1 ... Ctrl+6 do what a click on the head of that column does.
        if (key->modifiers() == Qt::ControlModifier && key->key() >= Qt::Key_1 &&
            key->key() < Qt::Key_1 + kSubjectColumnCount) {
            sortBy(key->key() - Qt::Key_1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TfrmSubjects::hintPanelText() const {
    return conventions_->hintPanelText();
}

}  // namespace lumo::admin::ui
