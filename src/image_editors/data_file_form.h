#pragma once
// TDataFileForm: the window of one data file: its name, the file it carries
// (loaded from and exported to disk), the name the game writes it under and
// the game's instructions for writing it out.

#include "editors/resource_form.h"
#include "resources/data_file.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrin {

class TDataFileForm : public ResourceForm<CDataFile> {
    Q_OBJECT
public:
    TDataFileForm(Game& game, int index, QWidget* parent = nullptr);

protected:
    void FillControls() override;

private:
    void LoadData();
    void ExportData();
    void ShowSize();

    QLineEdit* mNameEdit;
    QLabel* mSizeLabel;
    QPushButton* mExportButton;
    QLineEdit* mFileNameEdit;
    QButtonGroup* mExportGroup;
    QCheckBox* mRemoveEndCheck;
    QCheckBox* mFreeMemoryCheck;
    QCheckBox* mOverwriteCheck;
};

}  // namespace kestrin
