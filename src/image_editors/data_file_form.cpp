// TDataFileForm: the data-file window.

#include "image_editors/data_file_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>

#include "app/text_convert.h"
#include "editors/editor_dialogs.h"
#include "image_editors/data_file_name_rule.h"
#include "image_editors/file_messages.h"
#include "image_editors/named_controls.h"
#include "platform/user_interface.h"
#include "stream/stream.h"

namespace kestrin {

namespace {

// Refuses what would let the game write outside its folder as it is typed.
class DataFileNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        switch (CheckDataFileName(FromQt(input))) {
            case DataFileNameCheck::Acceptable: return Acceptable;
            case DataFileNameCheck::Intermediate: return Intermediate;
            case DataFileNameCheck::Invalid: return Invalid;
        }
        return Invalid;
    }
};

}  // namespace

TDataFileForm::TDataFileForm(Game& game, int index, QWidget* parent) : ResourceForm<CDataFile>(game, index, parent) {
    setObjectName(QStringLiteral("TDataFileForm"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    // Wide enough for the title with a usual name.
    body->setMinimumWidth(280);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Name:"), body));
    mNameEdit = new QLineEdit(body);
    mNameEdit->setObjectName(QStringLiteral("NameEdit"));
    nameRow->addWidget(mNameEdit);
    layout->addLayout(nameRow);

    auto* fileRow = new QHBoxLayout;
    auto* loadButton = MakeButton("LoadBtn", "Load Data", body);
    mExportButton = MakeButton("ExportBtn", "Export Data", body);
    fileRow->addWidget(loadButton);
    fileRow->addWidget(mExportButton);
    layout->addLayout(fileRow);
    mSizeLabel = new QLabel(body);
    mSizeLabel->setObjectName(QStringLiteral("SizeLabel"));
    layout->addWidget(mSizeLabel);

    auto* fileNameRow = new QHBoxLayout;
    fileNameRow->addWidget(new QLabel(QStringLiteral("File name:"), body));
    mFileNameEdit = new QLineEdit(body);
    mFileNameEdit->setObjectName(QStringLiteral("FileNameEdit"));
    mFileNameEdit->setValidator(new DataFileNameValidator(mFileNameEdit));
    fileNameRow->addWidget(mFileNameEdit);
    layout->addLayout(fileNameRow);

    auto* exportBox = new QGroupBox(QStringLiteral("Export"), body);
    exportBox->setObjectName(QStringLiteral("ExportGroup"));
    auto* exportLayout = new QVBoxLayout(exportBox);
    mExportGroup = new QButtonGroup(exportBox);
    const char* modes[] = {"Don't Export", "Temporary Folder", "Working Folder", "Install as Font"};
    for (int mode = kExportNone; mode <= kExportFont; ++mode) {
        auto* radio = new QRadioButton(QString::fromLatin1(modes[mode]), exportBox);
        radio->setObjectName(QStringLiteral("ExportMode%1").arg(mode));
        mExportGroup->addButton(radio, mode);
        exportLayout->addWidget(radio);
    }
    layout->addWidget(exportBox);

    mRemoveEndCheck = MakeCheck("RemoveEndCheck", "Remove at Game End", body);
    mFreeMemoryCheck = MakeCheck("FreeMemoryCheck", "Free Data Memory", body);
    mOverwriteCheck = MakeCheck("OverWriteCheck", "Overwrite the File", body);
    layout->addWidget(mRemoveEndCheck);
    layout->addWidget(mFreeMemoryCheck);
    layout->addWidget(mOverwriteCheck);
    layout->addStretch();
    auto* okButton = MakeButton("OKBtn", "OK", body);
    layout->addWidget(okButton);
    setWidget(body);
    AttachNameEdit(mNameEdit);

    connect(loadButton, &QPushButton::clicked, this, [this] { LoadData(); });
    connect(mExportButton, &QPushButton::clicked, this, [this] { ExportData(); });
    connect(okButton, &QPushButton::clicked, this, [this] { CloseWithOk(); });
    connect(mFileNameEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (Filling()) return;
        // "." while typing stays in the field only.
        if (!mFileNameEdit->hasAcceptableInput()) return;
        Resource()->FileName = FromQt(text);
        Mark();
    });
    connect(mExportGroup, &QButtonGroup::idToggled, this, [this](int mode, bool checked) {
        if (Filling() || !checked) return;
        Resource()->ExportMode = mode;
        Mark();
    });
    auto connectCheck = [this](QCheckBox* check, bool CDataFile::*field) {
        connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
            if (Filling()) return;
            Resource()->*field = on;
            Mark();
        });
    };
    connectCheck(mRemoveEndCheck, &CDataFile::RemoveAtEnd);
    connectCheck(mFreeMemoryCheck, &CDataFile::FreeMemory);
    connectCheck(mOverwriteCheck, &CDataFile::Overwrite);
    Open();
}

void TDataFileForm::FillControls() {
    const CDataFile& data = *Resource();
    ShowSize();
    mFileNameEdit->setText(ToQt(data.FileName));
    if (QAbstractButton* mode = mExportGroup->button(data.ExportMode)) {
        mode->setChecked(true);
    } else {
        // A stored mode the window does not know: no choice is shown.
        mExportGroup->setExclusive(false);
        for (QAbstractButton* button : mExportGroup->buttons()) button->setChecked(false);
        mExportGroup->setExclusive(true);
    }
    mRemoveEndCheck->setChecked(data.RemoveAtEnd);
    mFreeMemoryCheck->setChecked(data.FreeMemory);
    mOverwriteCheck->setChecked(data.Overwrite);
}

void TDataFileForm::ShowSize() {
    const CDataFile& data = *Resource();
    mSizeLabel->setText(QStringLiteral("Size: %1 bytes").arg(data.GetSize()));
    mExportButton->setEnabled(data.HasData);
}

void TDataFileForm::LoadData() {
    FileDialogSpec spec;
    spec.objectName = "DataFileOpenDialog";
    spec.title = "Load a data file";
    spec.filter = "All files (*)";
    spec.mustExist = true;
    const std::optional<std::string> file = ChooseFileNested(spec);
    if (!file) return;
    // Refused before reading: the game could not store it.
    if (!FileFitsInGame(*file)) {
        ShowMessage(kFileTooLargeMessage);
        return;
    }
    if (!Resource()->LoadFromFile(*file)) {
        ShowMessage(kFailedToLoadFileMessage);
        return;
    }
    Mark();
    FillScope muted(*this);
    FillControls();
}

void TDataFileForm::ExportData() {
    const CDataFile& data = *Resource();
    if (!data.HasData) return;
    FileDialogSpec spec;
    spec.objectName = "DataFileSaveDialog";
    spec.title = "Export the data file";
    spec.filter = "All files (*)";
    spec.save = true;
    spec.proposedName = data.FileName;
    const std::optional<std::string> file = ChooseFileNested(spec);
    if (!file) return;
    if (!Resource()->SaveToFile(*file)) ShowMessage(kFailedToSaveFileMessage);
}

}  // namespace kestrin
