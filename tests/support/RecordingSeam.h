// SPDX-License-Identifier: MIT
#pragma once

#include "UiSeam.h"

#include <QStringList>
#include <QUrl>

#include <vector>

// Installs itself as the seam for its lifetime and records what the program asked for instead of
// beeping, showing a box or opening an address.
class TRecordingSeam final : public TUiSeam
{
public:
    TRecordingSeam();
    ~TRecordingSeam() override;

    void Beep() override;
    void ShowWarning(QWidget *parent, const QString &text) override;
    void ShowError(QWidget *parent, const QString &text) override;
    bool OpenUrl(const QUrl &url) override;

    void Clear();

    int beeps = 0;
    QStringList warnings;
    QStringList errors;
    std::vector<QUrl> openedUrls;
    bool openUrlResult = true;

private:
    TUiSeam *m_previous = nullptr;
};
