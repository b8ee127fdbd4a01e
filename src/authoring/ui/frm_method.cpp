#include "authoring/ui/frm_method.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/colors.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

namespace {

// A count field that takes any typed number and brings it to the nearest
// bound when the typing ends, instead of refusing the keys.
class CountSpin : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    QValidator::State validate(QString& input, int& pos) const override {
        const QValidator::State state = QSpinBox::validate(input, pos);
        if (state != QValidator::Invalid) return state;
        bool number = false;
        input.trimmed().toInt(&number);
        return number ? QValidator::Intermediate : state;
    }
    // QSpinBox would read a number beyond the bounds as the lower bound; the nearest one is meant.
    void fixup(QString& input) const override {
        QSpinBox::fixup(input);
        bool number = false;
        const int value = locale().toInt(input.trimmed(), &number);
        if (number) input = textFromValue(std::clamp(value, minimum(), maximum()));
    }
};

struct FieldTexts {
    int caption;
    int hint;
    const char* name;
};

constexpr std::array<FieldTexts, kTypeCount> kFieldTexts = {{
    {txt::MethodRelevant, txt::MethodRelevantHint, "seR"},
    {txt::MethodInformative, txt::MethodInformativeHint, "seI"},
    {txt::MethodControl, txt::MethodControlHint, "seC"},
    {txt::MethodNeutral, txt::MethodNeutralHint, "seN"},
    {txt::MethodOuter, txt::MethodOuterHint, "seO"},
    {txt::MethodSacrificial, txt::MethodSacrificialHint, "seV"},
}};

constexpr std::array<int, kMethodFormats> kFormats = {txt::MethodFormat1, txt::MethodFormat2, txt::MethodFormat3,
                                                      txt::MethodFormat4, txt::MethodFormat5, txt::MethodFormat6};

const QColor kSilver(192, 192, 192);

void paintPanel(QLabel* panel, const QColor& color) {
    // Dark type colours take white letters so the caption stays readable.
    const QColor text = color.lightness() < 110 ? Qt::white : Qt::black;
    panel->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; padding: 2px 4px; }")
                             .arg(color.name(), text.name()));
}

}  // namespace

TfrmMethod::TfrmMethod(core::Workstation& workstation, QWidget* parent)
    : QDialog(parent), ws_(workstation), chooser_(makeMethodChooser(workstation.settings(), workstation.strings())) {
    setObjectName("frmMethod");
    const core::Texts& texts = ws_.texts();
    setWindowTitle(qs(texts(txt::MethodChooserCaption)));
    conventions_ = new platform::DialogConventions(*this, texts);

    for (int type = 0; type < kTypeCount; ++type) {
        const core::Rgb rgb =
            core::colorFromName(ws_.settings().list().value("QColor" + std::to_string(type + 1)));
        colors_[static_cast<std::size_t>(type)] = QColor(rgb.red, rgb.green, rgb.blue);
    }

    lstMethod_ = new QListWidget(this);
    lstMethod_->setObjectName("lstMethod");
    for (const std::string& name : chooser_.names()) lstMethod_->addItem(qs(name));
    conventions_->setHint(lstMethod_, texts(txt::MethodListHint));
    conventions_->addField(lstMethod_);

    lblFormat_ = new QLabel(this);
    lblFormat_->setObjectName("lblFormat");
    lblFormat_->setFrameShape(QFrame::StyledPanel);
    lblFormat_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* counts = new QGridLayout;
    for (int type = 0; type < kTypeCount; ++type) {
        const auto index = static_cast<std::size_t>(type);
        auto* field = new CountSpin(this);
        field->setObjectName(kFieldTexts[index].name);
        // The total rule acts when the typing ends (Enter, leaving, the arrows), not on every digit.
        field->setKeyboardTracking(false);
        field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
        field->setAlignment(Qt::AlignRight);
        conventions_->setHint(field, texts(kFieldTexts[index].hint));
        conventions_->addField(field);
        QLabel* caption = conventions_->makeLabel(texts(kFieldTexts[index].caption), field);
        caption->setObjectName(QStringLiteral("pnl") + QString::fromLatin1(kFieldTexts[index].name + 2));
        caption->setAlignment(Qt::AlignCenter);
        fields_[index] = field;
        captions_[index] = caption;
        counts->addWidget(caption, 0, type);
        counts->addWidget(field, 1, type);
        connect(field, &QSpinBox::valueChanged, this,
                [this, type](int value) { seChange(static_cast<QuestionType>(type), value); });
    }

    lblTotal_ = new QLabel(this);
    lblTotal_->setObjectName("lblTotal");
    lblTotal_->setFrameShape(QFrame::StyledPanel);
    lblTotal_->setAlignment(Qt::AlignCenter);

    cmdEdit_ = new QPushButton(qs(texts(txt::MethodEdit)), this);
    cmdEdit_->setObjectName("cmdEdit");
    cmdEdit_->setDefault(true);
    conventions_->setHint(cmdEdit_, texts(txt::MethodEditHint));
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    conventions_->setHint(cmdCancel_, texts(txt::MethodCancelHint));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdEdit_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conventions_->makeLabel(texts(txt::MethodListLabel), lstMethod_));
    layout->addWidget(lstMethod_, 1);
    layout->addWidget(new QLabel(qs(texts(txt::MethodFormatLabel)), this));
    layout->addWidget(lblFormat_);
    layout->addLayout(counts);
    layout->addWidget(lblTotal_);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    setIndexError([this](const QString& text) {
        platform::showMessage(this, QMessageBox::Critical, windowTitle(), text, ws_.texts());
    });
    connect(lstMethod_, &QListWidget::currentRowChanged, this, &TfrmMethod::lstMethodClick);
    connect(cmdEdit_, &QPushButton::clicked, this, &TfrmMethod::cmdEditClick);
    connect(cmdCancel_, &QPushButton::clicked, this, &TfrmMethod::reject);

    if (lstMethod_->count() > 0) {
        lstMethod_->setCurrentRow(0);
    } else {
        lstMethodClick(-1);
    }
    lstMethod_->setFocus();
}

void TfrmMethod::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Without a method (no names configured) the dialog cannot be used: say so once it is up.
    if (chooser_.method() == 0) QTimer::singleShot(0, this, &TfrmMethod::methodsIndexError);
}

void TfrmMethod::lstMethodClick(int row) {
    busy_ = true;
    const bool known = chooser_.select(row);
    showFields();
    busy_ = false;
    if (!known && isVisible()) methodsIndexError();
}

void TfrmMethod::seChange(QuestionType type, int value) {
    if (busy_) return;
    chooser_.change(type, value);
    busy_ = true;
    showFields();
    busy_ = false;
}

void TfrmMethod::showFields() {
    const int method = chooser_.method();
    for (int type = 0; type < kTypeCount; ++type) {
        const auto index = static_cast<std::size_t>(type);
        const CountField& state = chooser_.field(static_cast<QuestionType>(type));
        QSpinBox* field = fields_[index];
        field->setRange(state.minimum, state.maximum);
        field->setValue(state.value);
        field->setEnabled(method != 0 && state.enabled);
        field->setVisible(state.visible);
        captions_[index]->setVisible(state.visible);
        paintPanel(captions_[index], field->isEnabled() ? colors_[index] : kSilver);
    }
    const core::Texts& texts = ws_.texts();
    lblFormat_->setText(method != 0 ? qs(texts(kFormats[static_cast<std::size_t>(method - 1)])) : QString());
    lblTotal_->setText(qs(core::formatText(texts(txt::MethodTotal), {static_cast<long long>(chooser_.total())})));
    cmdEdit_->setEnabled(method != 0);
}

void TfrmMethod::methodsIndexError() {
    if (errorShown_) return;
    errorShown_ = true;
    indexError_(qs(ws_.texts()(txt::MethodIndexError)));
    reject();
}

void TfrmMethod::cmdEditClick() {
    // A count typed but not yet confirmed still counts.
    for (QSpinBox* field : fields_) {
        if (field->hasFocus()) field->interpretText();
    }
    skeleton_ = chooser_.generate();
    if (!skeleton_) {
        methodsIndexError();
        return;
    }
    accept();
}

std::optional<TemplateSkeleton> chooseMethod(QWidget* parent, core::Workstation& workstation) {
    TfrmMethod dialog(workstation, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.skeleton();
}

}  // namespace lumo::authoring::ui
