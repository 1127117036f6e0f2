// SPDX-License-Identifier: MIT
// The yardstick for Velmora's start-up: a bare Qt window of the same shape (408 x 496, four tab
// pages with one button each) and nothing else.

#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(408, 496);
    auto *layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *pages = new QTabWidget(&window);
    layout->addWidget(pages);
    for (const char *caption :
         {"Temperature sensors", "Humidity calculator", "Current Loop", "Linear Transformation"}) {
        auto *page = new QWidget;
        auto *button = new QPushButton(QStringLiteral("Calculate"), page);
        button->setGeometry(162, 8, 75, 25);
        pages->addTab(page, QString::fromLatin1(caption));
    }
    window.show();
    return QApplication::exec();
}
