// SPDX-License-Identifier: MIT
#pragma once

// The single-line field that the numeric field and the text field are made from: the properties
// they share (alignment, a background colour for the enabled and one for the disabled state,
// optionally the parent's, the selection of the whole text on entry, the version), the selection
// of the whole text also after the click that gave the focus, and knowing whether the form that
// holds the field is still being built.

#include <QColor>
#include <QLineEdit>
#include <QString>

class TNvEditBase : public QLineEdit
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
    explicit TNvEditBase(QWidget *parent = nullptr);

    void setAlignment(Qt::Alignment a);

    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool b) { m_autoSelect = b; }
    QColor Color() const { return m_color; }
    void setColor(const QColor &c);
    QColor DisabledColor() const { return m_disabledColor; }
    void setDisabledColor(const QColor &c);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool b);

    static QString Version() { return QStringLiteral("8.50.00.00"); }
    void setVersion(const QString &) {}

protected:
    // True until the field is first shown: its form is still setting its designed properties.
    bool Loading() const { return m_loading; }
    // A key press ends the click that gave the focus: the next click places the caret.
    void KeyPressed() { m_enteredByClick = false; }

    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Shows Color while enabled and DisabledColor while disabled, through the palette's base role.
    void ApplyColour();
    QColor ParentBackground() const;

    QColor m_color;
    QColor m_disabledColor;
    bool m_parentColor = false;
    bool m_autoSelect = true;
    bool m_enteredByClick = false;
    bool m_loading = true;
    bool m_applying = false;
};
