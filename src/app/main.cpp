#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velkor_PED"));
    QApplication::setOrganizationName(QStringLiteral("Brisvale"));
    return 0;
}
