#include "admin/ui/frm_system_file.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <vector>

#include "core/colors.h"
#include "core/string_table.h"
#include "core/text_format.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/printer_choice.h"

namespace lumo::admin::ui {

using core::ui::qs;

namespace {

// The language list offers the two choices under their own names.
constexpr const char* kRussianChoice = "РУС";
constexpr const char* kEnglishChoice = "АНГ";

QIcon swatch(std::string_view colorName, int side) {
    const core::Rgb rgb = core::colorFromName(colorName);
    QPixmap pixmap(side, side);
    pixmap.fill(QColor(rgb.red, rgb.green, rgb.blue));
    QPainter painter(&pixmap);
    painter.setPen(QColor(Qt::darkGray));
    painter.drawRect(0, 0, side - 1, side - 1);
    return QIcon(pixmap);
}

}  // namespace

TfrmSystemFile::TfrmSystemFile(core::Workstation& workstation, core::SettingsList& copy, QWidget* parent)
    : QDialog(parent), ws_(workstation), copy_(copy), params_(copy) {
    setObjectName("frmSystemFile");
    conventions_ = new platform::DialogConventions(*this, ws_.texts());
    printerSetup_ = [this](core::SettingsList& settings) {
        return platform::runPrinterSetup(settings, this, text(txt::SysPrinterSetupCaption));
    };

    cmdOK_ = new QPushButton(this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(this);
    cmdCancel_->setObjectName("cmdCancel");

    auto* right = new QVBoxLayout;
    right->addWidget(buildUnitGroup());
    right->addWidget(buildArtefactGroup());
    auto* printer = new QHBoxLayout;
    cmdPrinter_ = new QPushButton(this);
    cmdPrinter_->setObjectName("cmdPrinter");
    lblPrinter_ = new QLabel(this);
    lblPrinterName_ = new QLabel(this);
    lblPrinterName_->setObjectName("lblPrinterName");
    lblPrinterName_->setFrameShape(QFrame::StyledPanel);
    // A long printer name must not widen the dialog; its tool-tip shows it whole.
    lblPrinterName_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    printer->addWidget(lblPrinter_);
    printer->addWidget(lblPrinterName_, 1);
    printer->addWidget(cmdPrinter_);
    right->addLayout(printer);
    right->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(buildChannelTable(), 3);
    body->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    fillControls();
    applyTexts();
    connectControls();
    setTabOrder();
}

void TfrmSystemFile::setTabOrder() {
    // The keyboard walks the dialog as it reads: the channel rows, the other
    // settings, then the buttons (the widgets were made in another order).
    std::vector<QWidget*> chain;
    for (const RowWidgets& row : rows_) chain.insert(chain.end(), {row.color, row.on, row.visible, row.height});
    chain.insert(chain.end(), {cbBack_, cbPort_, seTime_, cbLanguage_, ledWorkArea_, chkScroll_});
    chain.insert(chain.end(), ledArt_.begin(), ledArt_.end());
    chain.insert(chain.end(), {cmdPrinter_, cmdOK_, cmdCancel_});
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
    chain.front()->setFocus();
}

TfrmSystemFile::~TfrmSystemFile() = default;

QString TfrmSystemFile::text(int id) const {
    // The dialog speaks the language of its own choice, which may not yet be the workstation's.
    return qs(ws_.strings().text(id, params_.language()));
}

QComboBox* TfrmSystemFile::makeColorList() {
    auto* list = new QComboBox(this);
    const int side = fontMetrics().height();
    list->setIconSize(QSize(side, side));
    for (std::string_view name : kSystemColorNames) list->addItem(swatch(name, side), qs(name));
    conventions_->addField(list);
    return list;
}

QWidget* TfrmSystemFile::buildChannelTable() {
    grpChannels_ = new QGroupBox(this);
    auto* grid = new QGridLayout(grpChannels_);
    for (std::size_t c = 0; c < headers_.size(); ++c) {
        headers_[c] = new QLabel(grpChannels_);
        headers_[c]->setAlignment(c == 0 ? Qt::AlignLeft : Qt::AlignCenter);
        grid->addWidget(headers_[c], 0, static_cast<int>(c));
    }
    for (int r = 0; r < core::kChannelCount; ++r) {
        RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        const QString suffix = QString::number(r);
        row.name = new QLabel(grpChannels_);
        row.name->setObjectName("pnlChannel" + suffix);
        row.name->setFrameShape(QFrame::StyledPanel);
        row.color = makeColorList();
        row.color->setObjectName("cbColor" + suffix);
        row.on = new QCheckBox(grpChannels_);
        row.on->setObjectName("chkSwitch" + suffix);
        row.visible = new QCheckBox(grpChannels_);
        row.visible->setObjectName("chkVisible" + suffix);
        row.height = new QSpinBox(grpChannels_);
        row.height->setObjectName("seBand" + suffix);
        row.height->setRange(kBandHeightMin, kBandHeightMax);
        conventions_->addField(row.height);
        grid->addWidget(row.name, r + 1, 0);
        grid->addWidget(row.color, r + 1, 1);
        grid->addWidget(row.on, r + 1, 2, Qt::AlignCenter);
        grid->addWidget(row.visible, r + 1, 3, Qt::AlignCenter);
        grid->addWidget(row.height, r + 1, 4);
    }
    lblBack_ = new QLabel(grpChannels_);
    lblBack_->setObjectName("pnlBackground");
    lblBack_->setFrameShape(QFrame::StyledPanel);
    cbBack_ = makeColorList();
    cbBack_->setObjectName("cbBackColor");
    const int backRow = core::kChannelCount + 1;
    grid->addWidget(lblBack_, backRow, 0);
    grid->addWidget(cbBack_, backRow, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 2);
    return grpChannels_;
}

QWidget* TfrmSystemFile::buildUnitGroup() {
    grpUnit_ = new QGroupBox(this);
    auto* form = new QFormLayout(grpUnit_);
    cbPort_ = new QComboBox(grpUnit_);
    cbPort_->setObjectName("cbPort");
    cbPort_->addItems({QStringLiteral("COM 1"), QStringLiteral("COM 2")});
    seTime_ = new QSpinBox(grpUnit_);
    seTime_->setObjectName("seQuestionTime");
    seTime_->setRange(kQuestionTimeMin, kQuestionTimeMax);
    cbLanguage_ = new QComboBox(grpUnit_);
    cbLanguage_->setObjectName("cbLanguage");
    cbLanguage_->addItems({qs(kRussianChoice), qs(kEnglishChoice)});
    ledWorkArea_ = new QLineEdit(grpUnit_);
    ledWorkArea_->setObjectName("ledWorkArea");
    chkScroll_ = new QCheckBox(grpUnit_);
    chkScroll_->setObjectName("chkScrolling");
    for (QWidget* field : std::initializer_list<QWidget*>{cbPort_, seTime_, cbLanguage_, ledWorkArea_}) {
        conventions_->addField(field);
    }
    lblPort_ = new QLabel(grpUnit_);
    lblTime_ = new QLabel(grpUnit_);
    lblLanguage_ = new QLabel(grpUnit_);
    lblWorkArea_ = new QLabel(grpUnit_);
    lblScroll_ = new QLabel(grpUnit_);
    form->addRow(lblPort_, cbPort_);
    form->addRow(lblTime_, seTime_);
    form->addRow(lblLanguage_, cbLanguage_);
    form->addRow(lblWorkArea_, ledWorkArea_);
    form->addRow(lblScroll_, chkScroll_);
    return grpUnit_;
}

QWidget* TfrmSystemFile::buildArtefactGroup() {
    grpArtefacts_ = new QGroupBox(this);
    auto* grid = new QGridLayout(grpArtefacts_);
    for (int n = kFirstArtefact; n <= kLastArtefact; ++n) {
        const auto at = static_cast<std::size_t>(n - kFirstArtefact);
        ledArt_[at] = new QLineEdit(grpArtefacts_);
        ledArt_[at]->setObjectName("ledArt" + QString::number(n));
        conventions_->addField(ledArt_[at]);
        lblArt_[at] = new QLabel("F" + QString::number(n), grpArtefacts_);
        lblArt_[at]->setBuddy(ledArt_[at]);
        // Two pairs a line: the four names are short.
        const int line = static_cast<int>(at) / 2;
        const int column = static_cast<int>(at) % 2 * 2;
        grid->addWidget(lblArt_[at], line, column);
        grid->addWidget(ledArt_[at], line, column + 1);
    }
    return grpArtefacts_;
}

void TfrmSystemFile::fillControls() {
    // The rules already normalised the copy; the widgets only show it.
    for (int r = 0; r < core::kChannelCount; ++r) {
        const ChannelRow& model = params_.row(r);
        const RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        row.color->setCurrentIndex(model.color);
        row.on->setChecked(model.on);
        row.visible->setChecked(model.visible);
        row.height->setValue(model.height);
    }
    cbBack_->setCurrentIndex(params_.backgroundColor());
    cbPort_->setCurrentIndex(params_.port() - 1);
    seTime_->setValue(params_.questionTime());
    cbLanguage_->setCurrentIndex(params_.language() == core::Language::English ? 1 : 0);
    ledWorkArea_->setText(qs(params_.workArea()));
    chkScroll_->setChecked(params_.scrolling());
}

void TfrmSystemFile::connectControls() {
    for (int r = 0; r < core::kChannelCount; ++r) {
        const RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        connect(row.color, &QComboBox::currentIndexChanged, this, [this, r](int index) { params_.setColor(r, index); });
        connect(row.on, &QCheckBox::toggled, this, [this, r](bool on) { params_.setSwitch(r, on); });
        connect(row.visible, &QCheckBox::toggled, this, [this, r](bool on) { params_.setVisible(r, on); });
        connect(row.height, &QSpinBox::valueChanged, this, [this, r](int value) { params_.setBandHeight(r, value); });
    }
    connect(cbBack_, &QComboBox::currentIndexChanged, this, [this](int index) { params_.setBackgroundColor(index); });
    connect(cbPort_, &QComboBox::currentIndexChanged, this, [this](int index) { params_.setPort(index + 1); });
    connect(seTime_, &QSpinBox::valueChanged, this, [this](int value) { params_.setQuestionTime(value); });
    connect(cbLanguage_, &QComboBox::currentIndexChanged, this, [this](int index) {
        params_.setLanguage(index == 1 ? core::Language::English : core::Language::Russian);
        applyTexts();
    });
    // Typed text only: filling a field is no edit.
    connect(ledWorkArea_, &QLineEdit::textEdited, this,
            [this](const QString& typed) { params_.setWorkArea(typed.toStdString()); });
    for (int n = kFirstArtefact; n <= kLastArtefact; ++n) {
        connect(artefactField(n), &QLineEdit::textEdited, this,
                [this, n](const QString& typed) { params_.setArtefactName(n, typed.toStdString()); });
    }
    connect(chkScroll_, &QCheckBox::toggled, this, [this](bool on) { params_.setScrolling(on); });
    connect(cmdPrinter_, &QPushButton::clicked, this, &TfrmSystemFile::cmdPrinterClick);
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmSystemFile::cmdOKClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSystemFile::applyTexts() {
    setWindowTitle(text(txt::SysCaption));
    const auto hint = [this](QWidget* control, int id) { conventions_->setHint(control, text(id).toStdString()); };
    const auto label = [this](QLabel* caption, QWidget* field, int id) {
        caption->setText(text(id));
        conventions_->nameField(caption, field);
    };
    const auto named = [this](int patternId, const std::string& name) {
        return qs(core::formatText(ws_.strings().text(patternId, params_.language()), {name}));
    };

    grpChannels_->setTitle(text(txt::SysChannels));
    const int headerIds[] = {txt::SysChannelHeader, txt::SysColorHeader, txt::SysSwitchHeader, txt::SysVisibleHeader,
                             txt::SysBandHeader};
    for (std::size_t c = 0; c < headers_.size(); ++c) headers_[c]->setText(text(headerIds[c]));
    for (int r = 0; r < core::kChannelCount; ++r) {
        const RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        std::string name = params_.channelName(r);
        const std::string shown = name;
        if (name.empty()) {
            name = core::formatText(ws_.strings().text(txt::SysChannelUnnamed, params_.language()),
                                    {static_cast<long long>(params_.row(r).channel)});
        }
        row.name->setText(qs(shown));
        row.color->setAccessibleName(named(txt::SysChannelColorName, name));
        // The swatch list's popup exists already (its icon size made it): it carries the name too.
        row.color->view()->setAccessibleName(row.color->accessibleName());
        row.on->setAccessibleName(named(txt::SysChannelSwitchName, name));
        row.visible->setAccessibleName(named(txt::SysChannelVisibleName, name));
        row.height->setAccessibleName(named(txt::SysChannelBandName, name));
        hint(row.color, txt::SysColorHint);
        hint(row.on, txt::SysSwitchHint);
        hint(row.visible, txt::SysVisibleHint);
        hint(row.height, txt::SysBandHint);
    }
    const std::string background = params_.backgroundName();
    lblBack_->setText(qs(background));
    cbBack_->setAccessibleName(named(txt::SysChannelColorName,
                                     background.empty() ? text(txt::SysBackgroundUnnamed).toStdString() : background));
    cbBack_->view()->setAccessibleName(cbBack_->accessibleName());
    hint(cbBack_, txt::SysColorHint);

    grpUnit_->setTitle(text(txt::SysUnitGroup));
    label(lblPort_, cbPort_, txt::SysPort);
    label(lblTime_, seTime_, txt::SysQuestionTime);
    label(lblLanguage_, cbLanguage_, txt::SysLanguage);
    label(lblWorkArea_, ledWorkArea_, txt::SysWorkArea);
    label(lblScroll_, chkScroll_, txt::SysScrolling);
    hint(cbPort_, txt::SysPortHint);
    hint(seTime_, txt::SysQuestionTimeHint);
    hint(cbLanguage_, txt::SysLanguageHint);
    hint(ledWorkArea_, txt::SysWorkAreaHint);
    hint(chkScroll_, txt::SysScrollingHint);

    grpArtefacts_->setTitle(text(txt::SysArtefacts));
    for (int n = kFirstArtefact; n <= kLastArtefact; ++n) {
        QLineEdit* field = artefactField(n);
        field->setText(qs(params_.artefactName(n)));
        field->setAccessibleName(named(txt::SysArtefactFieldName, "F" + std::to_string(n)));
        hint(field, txt::SysArtefactCodePageHint);
    }

    lblPrinter_->setText(text(txt::SysPrinterLabel));
    cmdPrinter_->setText(text(txt::SysPrinter));
    cmdPrinter_->setAccessibleName(text(txt::SysPrinterSetupCaption));
    hint(cmdPrinter_, txt::SysPrinterHint);
    showPrinterChoice();

    cmdOK_->setText(text(txt::ButtonOk));
    cmdCancel_->setText(text(txt::ButtonCancel));
    hint(cmdOK_, txt::SysOkHint);
    hint(cmdCancel_, txt::SysCancelHint);
}

void TfrmSystemFile::showPrinterChoice() {
    const platform::PrinterChoice choice = platform::printerChoice(copy_);
    switch (choice.kind) {
        case platform::PrinterChoice::Kind::SystemDefault: lblPrinterName_->setText(text(txt::SysPrinterDefault)); break;
        case platform::PrinterChoice::Kind::Pdf: lblPrinterName_->setText(text(txt::SysPrinterPdf)); break;
        case platform::PrinterChoice::Kind::Named: lblPrinterName_->setText(qs(choice.name)); break;
    }
    lblPrinterName_->setToolTip(lblPrinterName_->text());
}

void TfrmSystemFile::cmdPrinterClick() {
    if (printerSetup_ && printerSetup_(copy_)) showPrinterChoice();
}

void TfrmSystemFile::cmdOKClick() {
    params_.applyBandHeights();
    accept();
}

void TfrmSystemFile::done(int result) {
    // The bands follow the heights however the dialog ends; a second
    // application after OK changes nothing.
    params_.applyBandHeights();
    QDialog::done(result);
}

QString TfrmSystemFile::hintPanelText() const {
    return conventions_->hintPanelText();
}

}  // namespace lumo::admin::ui
