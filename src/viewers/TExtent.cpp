#include "viewers/TExtent.h"

#include "platform/Dialogs.h"
#include "platform/ErrorBox.h"
#include "platform/Services.h"
#include "platform/WindowFont.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace {
QString idleText()
{
    return QCoreApplication::translate("TExtent", "Жду команды. ");
}
} // namespace

TExtent::TExtent(quil::Services &services, QWidget *parent) : QWidget(parent, Qt::Window), m_services(services)
{
    setObjectName(QStringLiteral("Extent"));
    setWindowTitle(QCoreApplication::translate("TExtent", "  Настройка расширений"));
    resize(595, 390);

    const auto button = [this](const char *name, const QString &text, int left, int width) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, 8, width, 25);
        return b;
    };
    Button1 = button("Button1", QCoreApplication::translate("TExtent", "Добавить"), 8, 90);
    Button2 = button("Button2", QCoreApplication::translate("TExtent", "Удалить"), 104, 90);
    Button3 = button("Button3", QCoreApplication::translate("TExtent", "Сохранить"), 200, 90);
    Button5 = button("Button5", QCoreApplication::translate("TExtent", "Вернуться"), 296, 90);
    Button4 = button("Button4", QCoreApplication::translate("TExtent", "Загрузить"), 595 - 98, 90);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QCoreApplication::translate("TExtent", "Расширения"));
    ListView1->setGeometry(8, 42, width() - 25, height() - 75);
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setHeaderLabels({QStringLiteral("Ext"), QStringLiteral("Program")});
    ListView1->header()->setStretchLastSection(false);
    ListView1->setColumnWidth(0, 70);
    ListView1->setColumnWidth(1, 500);
    ListView1->setFont(quil::arialBold(13));

    connect(Button1, &QPushButton::clicked, this, &TExtent::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TExtent::Button2Click);
    connect(Button3, &QPushButton::clicked, this,
            quil::reportingErrors(m_services.dialogs, [this] { Button3Click(); }));
    connect(Button4, &QPushButton::clicked, this,
            quil::reportingErrors(m_services.dialogs, [this] { Button4Click(); }));
    connect(Button5, &QPushButton::clicked, this, &TExtent::Button5Click);
}

QString TExtent::tablePath() const
{
    return m_services.settingsFolder.filePath(u"quil.ext");
}

void TExtent::showRows()
{
    ListView1->clear();
    for (const auto &row : m_table.rows())
        ListView1->addTopLevelItem(new QTreeWidgetItem({row.extension, row.program}));
}

void TExtent::LoadExtensionTable()
{
    if (m_table.load(tablePath()))
        showRows();
}

void TExtent::SaveExtensionTable()
{
    m_table.save(tablePath());
}

void TExtent::Button1Click()
{
    quil::Dialogs &dialogs = m_services.dialogs;
    const std::optional<QString> extension =
        dialogs.inputBox(QCoreApplication::translate("TExtent", "Назначить расширение"),
                         QCoreApplication::translate("TExtent", "Введите расширение"), QString());
    if (!extension)
        return;
    const std::optional<QString> program = quil::chooseProgram(dialogs);
    if (!program)
        return;
    m_table.add(*extension, *program);
    showRows();
}

void TExtent::Button2Click()
{
    const QModelIndex current = ListView1->currentIndex();
    if (!current.isValid() || ListView1->selectedItems().isEmpty())
        return;
    m_table.remove(current.row());
    showRows();
}

void TExtent::Button3Click()
{
    SaveExtensionTable();
}

void TExtent::Button4Click()
{
    LoadExtensionTable();
}

void TExtent::Button5Click()
{
    Q_EMIT statusChanged(idleText());
    close();
}

void TExtent::FormClose()
{
    Q_EMIT statusChanged(idleText());
    quil::runHandler(m_services.dialogs, [this] { SaveExtensionTable(); });
}

void TExtent::closeEvent(QCloseEvent *event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TExtent::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ListView1->resize(width() - 25, height() - 75);
    Button4->move(width() - 98, Button4->y());
}
