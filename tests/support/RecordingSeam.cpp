// SPDX-License-Identifier: MIT
#include "RecordingSeam.h"

TRecordingSeam::TRecordingSeam()
    : m_previous(SetUiSeam(this))
{
}

TRecordingSeam::~TRecordingSeam()
{
    SetUiSeam(m_previous);
}

void TRecordingSeam::Beep()
{
    ++beeps;
}

void TRecordingSeam::ShowWarning(QWidget *, const QString &text)
{
    warnings << text;
}

void TRecordingSeam::ShowError(QWidget *, const QString &text)
{
    errors << text;
}

bool TRecordingSeam::OpenUrl(const QUrl &url)
{
    openedUrls.push_back(url);
    return openUrlResult;
}

void TRecordingSeam::Clear()
{
    beeps = 0;
    warnings.clear();
    errors.clear();
    openedUrls.clear();
}
