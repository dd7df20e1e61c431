#include "fileops/TSelekt.h"

#include "fileops/MarksController.h"
#include "fileops/SecondPanel.h"
#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/WindowFont.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <typename Widget>
Widget *placed(Widget *widget, const char *name, const QString &accessibleName, int pixels, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    // Controls with a text are read by it; the others need a name.
    if (!accessibleName.isEmpty())
        widget->setAccessibleName(accessibleName);
    widget->setFont(quil::arialBold(pixels));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, int x, int y)
{
    auto *result = placed(new QLabel(text, parent), name, QString(), 16, QRect(x, y, 0, 0));
    result->adjustSize();
    return result;
}

} // namespace

TSelekt::TSelekt(quil::Services &services, QWidget *parent) : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("Selekt"));
    setWindowTitle(QCoreApplication::translate("TSelekt", "Режимы выделения"));
    setModal(true);
    QFont sansSerif(QStringLiteral("DejaVu Sans"));
    sansSerif.setPixelSize(11);
    setFont(sansSerif);
    setGeometry(229, 163, 248, 167);

    Label2 = label(this, "Label2", QCoreApplication::translate("TSelekt", "По"), 10, 5);
    Label1 = label(this, "Label1", QCoreApplication::translate("TSelekt", "маске:"), 8, 20);
    Edit1 = placed(new QLineEdit(QStringLiteral("*.*"), this), "Edit1", QCoreApplication::translate("TSelekt", "Маска"),
                   16, QRect(64, 12, 81, 27));
    Button1 = placed(new QPushButton(QCoreApplication::translate("TSelekt", "Выполнить"), this), "Button1", QString(),
                     13, QRect(152, 13, 81, 25));
    // Enter in the mask runs the mode, as the window's only button.
    Button1->setDefault(true);
    RadioGroup1 = placed(new QGroupBox(this), "RadioGroup1", QCoreApplication::translate("TSelekt", "Режим выделения"),
                         13, QRect(8, 42, 225, 89));
    m_modes = new QButtonGroup(this);
    const QString captions[] = {QCoreApplication::translate("TSelekt", "Выделение"),
                                QCoreApplication::translate("TSelekt", "Выделение недостающих"),
                                QCoreApplication::translate("TSelekt", "Исключение"),
                                QCoreApplication::translate("TSelekt", "Реверсирование")};
    for (int index = 0; index < 4; ++index) {
        auto *item = new QRadioButton(captions[index], RadioGroup1);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(index));
        item->setGeometry(8, 6 + index * 20, 209, 18);
        m_modes->addButton(item, index);
    }
    setItemIndex(Selection);
    connect(Button1, &QPushButton::clicked, this, &TSelekt::Button1Click);
}

int TSelekt::ItemIndex() const
{
    return m_modes->checkedId();
}

void TSelekt::setItemIndex(int index)
{
    if (QAbstractButton *item = m_modes->button(index))
        item->setChecked(true);
}

bool TSelekt::secondPanelReady()
{
    quil::SecondPanel *panel = m_marks->secondPanel();
    if (panel != nullptr && panel->isShown())
        return true;
    if (panel != nullptr)
        panel->showPanel();
    m_services.dialogs.message(QCoreApplication::translate("TSelekt", "Выберите папку для выполнения сравнения файлов"),
                               QStringLiteral("QUIL"), quil::Dialogs::Icon::None);
    return false;
}

void TSelekt::Button1Click()
{
    if (m_marks == nullptr)
        return;
    const QString mask = Edit1->text();
    const bool ran = quil::runHandler(m_services.dialogs, [this, &mask] {
        switch (ItemIndex()) {
        case Selection:
            m_marks->SelectByMask(mask);
            break;
        case SelectionOfMissing:
            if (secondPanelReady())
                m_marks->SelectMissing(mask);
            break;
        case Exclusion:
            m_marks->UnselectByMask(mask);
            break;
        case Reversal:
            m_marks->InvertSelection();
            break;
        }
    });
    if (ran)
        accept();
}
