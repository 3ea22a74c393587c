// The floor of any Qt program here: a dialog with three read-only fields
// and a button, shown modally.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    for (const char *text : {"Title", "Reference", "Text"}) {
        auto *field = new QLineEdit(QString::fromLatin1(text), &dialog);
        field->setReadOnly(true);
        layout->addWidget(field);
    }
    layout->addWidget(new QPushButton(QStringLiteral("Exit"), &dialog));
    return dialog.exec();
}
