#include "ui/widgets/page_controls.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QValidator>

namespace kvx::ui {

namespace {
constexpr int ClearButtonSize = 22;
constexpr int StepButtonWidth = 24;

const QString LinkHoverStyle = QStringLiteral("color: #007DB7;");
const QString LinkIdleStyle = QStringLiteral("color: #C2C1C1;");

// Hover colours and the click of a link label; owned by the label.
class TLinkFilter : public QObject {
public:
    TLinkFilter(QLabel* Label, std::function<void()> OnClick) : QObject(Label), FLabel(Label), FOnClick(std::move(OnClick)) {}

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        switch (Event->type()) {
        case QEvent::Enter: FLabel->setStyleSheet(LinkHoverStyle); break;
        case QEvent::Leave: FLabel->setStyleSheet(LinkIdleStyle); break;
        case QEvent::MouseButtonRelease: FOnClick(); return true;
        default: break;
        }
        return false;
    }

private:
    QLabel* FLabel;
    std::function<void()> FOnClick;
};

// Printable ASCII as typed. The image also holds 0x7F..0xA0 and reads them back as they are;
// a text the program sets (a loaded name) keeps such characters and stays acceptable, so the
// edit goes on checking every character typed after it.
class TImageTextValidator : public QValidator {
public:
    explicit TImageTextValidator(QLineEdit* Edit) : QValidator(Edit), FEdit(Edit) {}

    State validate(QString& Input, int&) const override
    {
        // Unmodified: the program has just set the text, nobody typed it.
        if (!FEdit->isModified()) FKept = Beyond(Input);
        QString kept = FKept;
        for (const QChar c : Input) {
            if (IsTypable(c)) continue;
            const qsizetype at = kept.indexOf(c);
            if (at < 0) return Invalid;
            kept.remove(at, 1);
        }
        return Acceptable;
    }

private:
    static bool IsTypable(QChar C) { return C.unicode() >= 0x20 && C.unicode() <= 0x7E; }
    static QString Beyond(const QString& Text)
    {
        QString beyond;
        for (const QChar c : Text)
            if (!IsTypable(c)) beyond += c;
        return beyond;
    }

    QLineEdit* FEdit;
    mutable QString FKept;  // the characters beyond printable ASCII the program put there
};

} // namespace

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
    edit->setValidator(new TImageTextValidator(edit));
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

TStepButtons NewStepButtons(QWidget* Parent, const char* Down, const char* Up, QLineEdit* Edit,
                            const std::function<void(bool Up)>& Step)
{
    const QRect at = Edit->geometry();
    TStepButtons buttons{NewButton(Parent, Down, "\u2212", QRect(at.right() + 4, at.top(), StepButtonWidth, at.height())),
                         NewButton(Parent, Up, "+", QRect(at.right() + 4 + StepButtonWidth + 2, at.top(), StepButtonWidth, at.height()))};
    for (QPushButton* button : {buttons.Down, buttons.Up}) {
        button->setStyleSheet("padding: 0;");
        QObject::connect(button, &QPushButton::clicked, Parent, [Step, up = button == buttons.Up] { Step(up); });
    }
    return buttons;
}

QLabel* NewLinkLabel(QWidget* Parent, const char* Name, const QString& Text, const QRect& Geometry,
                     const std::function<void()>& OnClick)
{
    QLabel* label = NewLabel(Parent, Text, Geometry, Name);
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(LinkIdleStyle);
    label->installEventFilter(new TLinkFilter(label, OnClick));
    return label;
}

QCheckBox* NewCheckBox(QWidget* Parent, const char* Name, const QString& Caption, const QRect& Geometry)
{
    auto* box = new QCheckBox(Caption, Parent);
    box->setObjectName(Name);
    box->setGeometry(Geometry);
    return box;
}

void EnableChildren(QWidget* Panel, bool Enabled)
{
    for (QWidget* child : Panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->setEnabled(Enabled);
}

} // namespace kvx::ui
