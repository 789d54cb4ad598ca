#include "form/controlfactory.h"

#include "layout/controlid.h"
#include "i18n/translationtable.h"
#include "layout/twips.h"
#include "xpbutton/systemcolor.h"
#include "xpbutton/xpbutton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace hitungrama {

namespace {

const QString kCaptionKey = QStringLiteral("Caption");

} // namespace

ControlFactory::ControlFactory(QWidget *window, const FormDescription &form)
    : m_window(window)
    , m_form(form)
    , m_formFont(form.font.toFont())
{
}

QWidget *ControlFactory::create(const ControlDescription &control) const
{
    switch (control.type) {
    case ControlType::TextBox:
        return createTextBox(control);
    case ControlType::CheckBox:
        return createCheckBox(control);
    case ControlType::Label:
        return createLabel(control);
    case ControlType::XPButton:
        return createButton(control);
    case ControlType::Line:
        break;
    }
    return nullptr;
}

AmbientProperties ControlFactory::ambientFor(const ControlDescription &control) const
{
    AmbientProperties ambient;
    ambient.font = m_formFont;
    ambient.foreColor = m_form.foreColor;
    ambient.displayName = ControlId{control.name, control.index}.toString();
    return ambient;
}

void ControlFactory::place(QWidget *widget, const ControlDescription &control) const
{
    const QRect &b = control.bounds;
    widget->setGeometry(twips::toPixels(b.left()), twips::toPixels(b.top()),
                        twips::toPixels(b.width()), twips::toPixels(b.height()));
    widget->setObjectName(ControlId{control.name, control.index}.toString());
    if (!control.toolTip.isEmpty())
        widget->setToolTip(TranslationTable::layout().translated(control.toolTip));
    if (control.font)
        widget->setFont(control.font->toFont());
    if (!control.visible)
        widget->hide();
}

QWidget *ControlFactory::createTextBox(const ControlDescription &control) const
{
    auto *edit = new QLineEdit(m_window);
    QPalette palette = edit->palette();
    if (control.foreColor)
        palette.setColor(QPalette::Text, colorFromOle(*control.foreColor));
    if (control.backColor)
        palette.setColor(QPalette::Base, colorFromOle(*control.backColor));
    edit->setPalette(palette);
    edit->setAlignment(control.alignment | Qt::AlignVCenter);
    edit->setText(TranslationTable::layout().translated(control.text));
    place(edit, control);
    return edit;
}

QWidget *ControlFactory::createCheckBox(const ControlDescription &control) const
{
    auto *box = new QCheckBox(TranslationTable::layout().translated(control.caption), m_window);
    box->setTristate(control.value == 2);
    box->setCheckState(control.value == 1 ? Qt::Checked
                                          : (control.value == 2 ? Qt::PartiallyChecked
                                                                : Qt::Unchecked));
    if (control.foreColor) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, colorFromOle(*control.foreColor));
        box->setPalette(palette);
    }
    place(box, control);
    return box;
}

QWidget *ControlFactory::createLabel(const ControlDescription &control) const
{
    auto *label = new QLabel(m_window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(TranslationTable::layout().translated(control.caption));
    QPalette palette = label->palette();
    if (control.foreColor)
        palette.setColor(QPalette::WindowText, colorFromOle(*control.foreColor));
    if (control.opaque) {
        palette.setColor(QPalette::Window,
                         colorFromOle(control.backColor.value_or(m_form.backColor)));
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    place(label, control);
    return label;
}

QWidget *ControlFactory::createButton(const ControlDescription &control) const
{
    auto *button = new XPButton(m_window);
    // The saved set holds the caption in the source language.
    PropertyBag properties = control.properties;
    const QString caption = properties.read(kCaptionKey, QVariant()).toString();
    if (!caption.isEmpty())
        properties.write(kCaptionKey, TranslationTable::layout().translated(caption));
    button->readProperties(properties, ambientFor(control));
    place(button, control);
    return button;
}

} // namespace hitungrama
