// A second process for the lock tests: takes the QLockFile named by its argument, prints "locked"
// and holds it until its standard input closes.
#include <QCoreApplication>
#include <QLockFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    QLockFile lock(QString::fromLocal8Bit(argv[1]));
    if (!lock.tryLock(0)) {
        std::puts("refused");
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
