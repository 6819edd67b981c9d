#pragma once

#include "jvlink/emulator/EmulatorSettings.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The settings dialog of the emulated JV-Link service (what JVSetUIProperties
// opens): storage folder, download pace, and an optional folder of real record
// files to serve instead of generated data.
class TEmulatorSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TEmulatorSettingsForm(const tavek::jvlink::EmulatorSettings& settings, QWidget* parent = nullptr);

    // The settings as edited (valid after the dialog was accepted).
    tavek::jvlink::EmulatorSettings settings() const;

    void accept() override;

private:
    void StorageBrowseBtnClick();
    void RecordFolderBrowseBtnClick();
    void RecordFolderCheckClick();
    void PaceSpinChange();

    QLineEdit* StorageEdit;
    QSpinBox* PaceSpin;
    QLabel* PaceHint;
    QCheckBox* RecordFolderCheck;
    QLineEdit* RecordFolderEdit;
    QPushButton* RecordFolderBrowseBtn;
    QLabel* ErrorLabel;
};

namespace tavek::jvlink::ui {

// Installs the dialog as the service's settings editor (once, at start-up).
void installEmulatorSettingsDialog();

}  // namespace tavek::jvlink::ui
