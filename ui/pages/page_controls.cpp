#include "ui/pages/page_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace kvx::ui {

namespace {
constexpr int ClearButtonSize = 22;
}

QLabel* NewLabel(QWidget* Parent, const QString& Text, const QRect& Geometry, const char* Name)
{
    auto* label = new QLabel(Text, Parent);
    label->setObjectName(Name);
    label->setGeometry(Geometry);
    return label;
}

QLabel* NewHeading(QWidget* Parent, const QString& Text, const QRect& Geometry)
{
    QLabel* label = NewLabel(Parent, Text, Geometry);
    label->setStyleSheet("color: #FFFFFF; font-weight: bold;");
    return label;
}

QLabel* NewNote(QWidget* Parent, const QString& Text, const QRect& Geometry)
{
    QLabel* label = NewLabel(Parent, Text, Geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit* NewEdit(QWidget* Parent, const char* Name, int MaxLength, const QRect& Geometry)
{
    auto* edit = new QLineEdit(Parent);
    edit->setObjectName(Name);
    edit->setMaxLength(MaxLength);
    edit->setGeometry(Geometry);
    return edit;
}

QLineEdit* NewTextEdit(QWidget* Parent, const char* Name, int MaxLength, const QRect& Geometry)
{
    QLineEdit* edit = NewEdit(Parent, Name, MaxLength, Geometry);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[\\x20-\\x7E]*"), edit));
    return edit;
}

QLineEdit* NewDigitsEdit(QWidget* Parent, const char* Name, int MaxLength, const QRect& Geometry)
{
    QLineEdit* edit = NewEdit(Parent, Name, MaxLength, Geometry);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return edit;
}

QPushButton* NewButton(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Geometry)
{
    auto* button = new QPushButton(Caption, Parent);
    button->setObjectName(Name);
    button->setGeometry(Geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton* NewClearButton(QWidget* Parent, const char* Name, QLineEdit* Edit)
{
    const QRect at = Edit->geometry();
    QPushButton* button = NewButton(Parent, Name, "\u2715",
                                    QRect(at.right() + 4, at.top() + (at.height() - ClearButtonSize) / 2, ClearButtonSize, ClearButtonSize));
    button->setStyleSheet("padding: 0;");
    button->setEnabled(false);
    QObject::connect(button, &QPushButton::clicked, Edit, &QLineEdit::clear);
    return button;
}

QCheckBox* NewCheckBox(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Geometry)
{
    auto* box = new QCheckBox(Caption, Parent);
    box->setObjectName(Name);
    box->setGeometry(Geometry);
    return box;
}

} // namespace kvx::ui
