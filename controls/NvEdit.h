#pragma once

// The text counterpart of the numeric field: a plain single-line edit with the same colours and
// selection on entry, which refuses Enter and Escape so that they keep their window-level meaning
// and never reach the text.

#include "NvEditCommon.h"

#include <QLineEdit>

class TNvEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor DisabledColor READ DisabledColor WRITE setDisabledColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(QString Version READ Version WRITE setVersion STORED false)

public:
    explicit TNvEdit(QWidget *parent = nullptr);

    void setAlignment(Qt::Alignment a);

    bool AutoSelect() const { return m_common.AutoSelect(); }
    void setAutoSelect(bool b) { m_common.SetAutoSelect(b); }
    QColor Color() const { return m_common.Color(); }
    void setColor(const QColor &c) { m_common.SetColor(c); }
    QColor DisabledColor() const { return m_common.DisabledColor(); }
    void setDisabledColor(const QColor &c) { m_common.SetDisabledColor(c); }
    bool ParentColor() const { return m_common.ParentColor(); }
    void setParentColor(bool b) { m_common.SetParentColor(b); }

    static QString Version() { return TNvEditCommon::Version(); }
    void setVersion(const QString &) { }

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    TNvEditCommon m_common;
};
