#include "authoring/ui/frm_bank_new.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "platform/dialog_conventions.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

using platform::qs;

namespace {

// What the topic file's first line and the file system can take.
constexpr int kNameLength = 254;
constexpr int kFileNameLength = 12;

}  // namespace

TopicFieldsDialog::TopicFieldsDialog(const core::Texts& texts, const Captions& captions, const QString& name,
                                     const QString& fileName, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qs(texts(captions.title)));
    conventions_ = new platform::DialogConventions(*this, texts);

    ledName_ = new QLineEdit(name, this);
    ledName_->setObjectName("ledName");
    ledName_->setMaxLength(kNameLength);
    conventions_->setHint(ledName_, texts(captions.nameHint));
    conventions_->addField(ledName_);
    ledFile_ = new QLineEdit(fileName, this);
    ledFile_->setObjectName("ledFile");
    ledFile_->setMaxLength(kFileNameLength);
    conventions_->setHint(ledFile_, texts(captions.fileHint));
    conventions_->addField(ledFile_);
    // Wide enough for a good part of a long name.
    ledName_->setMinimumWidth(ledName_->fontMetrics().horizontalAdvance(QString(48, QLatin1Char('n'))));

    cmdOK_ = new QPushButton(qs(texts(captions.okCaption)), this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    conventions_->setHint(cmdOK_, texts(captions.okHint));
    cmdCancel_ = new QPushButton(qs(texts(txt::ButtonCancel)), this);
    cmdCancel_->setObjectName("cmdCancel");
    conventions_->setHint(cmdCancel_, texts(captions.cancelHint));

    auto* fields = new QGridLayout;
    fields->addWidget(conventions_->makeLabel(texts(captions.nameLabel), ledName_), 0, 0);
    fields->addWidget(ledName_, 1, 0);
    fields->addWidget(conventions_->makeLabel(texts(captions.fileLabel), ledFile_), 2, 0);
    fields->addWidget(ledFile_, 3, 0, Qt::AlignLeft);
    fields->addWidget(conventions_->keyboardIndicator(), 3, 1);
    fields->setColumnStretch(0, 1);
    ledFile_->setMinimumWidth(ledFile_->fontMetrics().horizontalAdvance(QString(kFileNameLength + 4, QLatin1Char('W'))));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->addWidget(conventions_->hintPanel());

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    ledName_->setFocus();
}

QString TopicFieldsDialog::name() const { return ledName_->text(); }
QString TopicFieldsDialog::fileName() const { return ledFile_->text(); }

TfrmBankNew::TfrmBankNew(const core::Texts& texts, const QString& generatedFileName, QWidget* parent)
    : TopicFieldsDialog(texts,
                        {txt::NewTopicCaption, txt::NewTopicName, txt::NewTopicNameHint, txt::NewTopicFile,
                         txt::NewTopicFileHint, txt::NewTopicAdd, txt::NewTopicAddHint, txt::NewTopicCancelHint},
                        qs(texts(txt::NewTopicDefault)), generatedFileName, parent) {
    setObjectName("frmBankNew");
}

}  // namespace lumo::authoring::ui
