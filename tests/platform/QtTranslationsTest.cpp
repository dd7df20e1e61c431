#include "platform/QtTranslations.h"
#include "platform/CheckedWarningBox.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

// Qt's own texts follow the locale once its translations are loaded.
class QtTranslationsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Regression: under ru_RU the Yes/No and OK/Cancel buttons read in English.
    void russianLocaleGivesRussianButtons()
    {
        QVERIFY(quil::installQtTranslations(*qApp, QLocale(QLocale::Russian, QLocale::Russia)));
        QMessageBox box(QMessageBox::Question, QStringLiteral("QUIL"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("&Да"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("&Нет"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Отмена"));
        QVERIFY(box.button(QMessageBox::Ok)->text() != QStringLiteral("&OK"));
        // The program's own Yes/No box takes Qt's texts too.
        quil::CheckedWarningBox question(QStringLiteral("QUIL"), QStringLiteral("?"),
                                         QStringLiteral("Удалять в корзину."), true, 280);
        QStringList texts;
        for (const QPushButton *button : question.findChildren<QPushButton *>())
            texts.append(button->text());
        texts.sort();
        QCOMPARE(texts, (QStringList{QStringLiteral("&Да"), QStringLiteral("&Нет")}));
    }

    void localeWithoutTranslationsLoadsNone() { QVERIFY(!quil::installQtTranslations(*qApp, QLocale::c())); }
};

QTEST_MAIN(QtTranslationsTest)
#include "QtTranslationsTest.moc"
