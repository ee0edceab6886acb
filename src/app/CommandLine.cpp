#include "app/CommandLine.h"

#include "session/ProgramState.h"
#include "printing/ImprimeDireto.h"
#include "app/QtOperator.h"
#include "app/Translations.h"
#include "app/frmsenha.h"
#include "data/DataError.h"
#include "data/Home.h"
#include "history/HistoryText.h"
#include "history/PrintHistory.h"
#include "production/MenuSettings.h"
#include "printing/ImprimeDireto.h"
#include "printing/PrinterStatus.h"

#include "render/PngPrinter.h"
#include "render/ZplRenderer.h"

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <limits>
#include <termios.h>
#include <unistd.h>

CommandLine CommandLine::parse(const QStringList& arguments, const QString& defaultHome)
{
    CommandLine cl;
    cl.home = defaultHome;
    auto fail = [&cl](const QString& text) {
        cl.action = Action::Error;
        cl.error = text;
        return cl;
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto next = [&](QString& into) {
            if (i + 1 >= arguments.size()) return false;
            into = arguments[++i];
            return true;
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            cl.action = Action::Help;
        } else if (a == QLatin1String("--home")) {
            if (!next(cl.home)) return fail(QStringLiteral("--home precisa de uma pasta"));
            cl.hasHome = true;
        } else if (a == QLatin1String("--init")) {
            if (!next(cl.home)) return fail(QStringLiteral("--init precisa de uma pasta"));
            if (cl.action != Action::Help) cl.action = Action::Init;
        } else if (a == QLatin1String("--init-server")) {
            if (!next(cl.serverUri)) return fail(QStringLiteral("--init-server precisa do URI do servidor"));
            if (cl.action != Action::Help) cl.action = Action::InitServer;
        } else if (a == QLatin1String("--render")) {
            if (!next(cl.jobFile) || !next(cl.pictureFile))
                return fail(QStringLiteral("--render precisa de um trabalho .zpl e de um arquivo .png"));
            if (cl.action != Action::Help) cl.action = Action::Render;
        } else if (a == QLatin1String("--user")) {
            if (!next(cl.user)) return fail(QStringLiteral("--user precisa de um nome"));
            cl.hasUser = true;
        } else if (a == QLatin1String("--password")) {
            if (!next(cl.password)) return fail(QStringLiteral("--password precisa de uma senha"));
            cl.hasPassword = true;
        } else if (a == QLatin1String("--printer-status")) {
            if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1Char('-'))) cl.printer = arguments[++i];
            if (cl.action != Action::Help) cl.action = Action::PrinterStatus;
        } else if (a == QLatin1String("--history")) {
            if (cl.action != Action::Help) cl.action = Action::History;
        } else if (a == QLatin1String("--barcode") || a == QLatin1String("--order") ||
                   a == QLatin1String("--production")) {
            QString& into = a == QLatin1String("--barcode") ? cl.barcode
                            : a == QLatin1String("--order") ? cl.order
                                                             : cl.production;
            if (!next(into)) return fail(QStringLiteral("%1 precisa de um valor").arg(a));
        } else if (a == QLatin1String("--csv")) {
            cl.csv = true;
        } else if (a.startsWith(QLatin1String("-platform")) || a.startsWith(QLatin1String("-style"))) {
            ++i;  // Qt's own options, already taken by QApplication
        } else {
            return fail(QStringLiteral("opção desconhecida: %1").arg(a));
        }
    }
    if (cl.action != Action::Init && cl.action != Action::InitServer && cl.action != Action::Help &&
        (cl.hasUser || cl.hasPassword))
        return fail(QStringLiteral("--user e --password só valem com --init ou --init-server"));
    if (cl.action != Action::History && cl.action != Action::Help &&
        (cl.csv || !cl.barcode.isEmpty() || !cl.order.isEmpty() || !cl.production.isEmpty()))
        return fail(QStringLiteral("--barcode, --order, --production e --csv só valem com --history"));
    if (int(!cl.barcode.isEmpty()) + int(!cl.order.isEmpty()) + int(!cl.production.isEmpty()) > 1)
        return fail(QStringLiteral("--history aceita só um de --barcode, --order e --production"));
    return cl;
}

QString CommandLine::helpText()
{
    return QStringLiteral(
        "Uso: etiquetas-vorla [opções]\n"
        "\n"
        "  --home DIR                     usa DIR como pasta do programa (bd/TOMVEL.db, bd/vorla.db, conf.txt);\n"
        "                                 sem ela, a pasta do executável, ou ~/.local/share/etiquetas-vorla\n"
        "                                 quando o programa está instalado\n"
        "  --init DIR                     cria DIR/bd/TOMVEL.db e DIR/bd/vorla.db com um primeiro usuário;\n"
        "                                 recusa-se a tocar em bancos que já existem\n"
        "  --init-server URI              cria os dois bancos (esquemas cadastro e pedidos) no servidor\n"
        "                                 PostgreSQL do URI (postgresql://usuário@servidor:porta/banco), com\n"
        "                                 um primeiro usuário; com --home DIR, grava também DIR/bd/servidor.txt\n"
        "  --user NOME --password SENHA   o primeiro usuário de --init e --init-server (perguntados no\n"
        "                                 terminal quando faltam)\n"
        "  --render JOB.zpl OUT.png       desenha as etiquetas de um trabalho ZPL, 8 pontos/mm: uma etiqueta\n"
        "                                 vira OUT.png; várias viram OUT-1.png, OUT-2.png, ...\n"
        "  --printer-status [IMPRESSORA]  mostra o estado da impressora de etiquetas (sem nome, a atual);\n"
        "                                 sai com 0 quando está pronta, 1 quando não está\n"
        "  --history [--barcode X | --order N | --production N] [--csv]\n"
        "                                 lista os trabalhos de etiqueta impressos, do mais novo ao mais\n"
        "                                 antigo (todos, ou os de um código de barras, pedido ou número de\n"
        "                                 produção); com --csv, em valores separados por vírgula\n"
        "  --help                         mostra esta ajuda\n"
        "\n"
        "A impressora de etiquetas inicial é a da variável PRINTER, ou a padrão do spooler. Nomes aceitos:\n"
        "uma fila do CUPS, socket://host[:porta], file:/pasta (cada etiqueta vira um arquivo) ou\n"
        "png:/pasta (o arquivo e, ao lado, a imagem PNG de cada etiqueta).\n");
}

namespace {
QString askOnTerminal(const char* prompt, bool hidden)
{
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    termios saved{};
    const bool tty = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden && tty) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (hidden && tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    return QString::fromStdString(line);
}

int initHome(CommandLine cl)
{
    const bool server = cl.action == CommandLine::Action::InitServer;
    if (!cl.hasUser) cl.user = askOnTerminal("Usuário: ", false);
    if (!cl.hasPassword) cl.password = askOnTerminal("Senha: ", true);
    if (cl.user.isEmpty()) {
        std::fputs("etiquetas-vorla: o usuário não pode ser vazio\n", stderr);
        return 2;
    }
    try {
        if (server) {
            home::createOnServer(cl.serverUri, cl.user, cl.password);
            std::fprintf(stdout, "Bancos criados no servidor\n");
            if (!cl.hasHome) return 0;
            home::writeServerFile(cl.home, cl.serverUri);
            std::fprintf(stdout, "Servidor indicado em %s\n", qPrintable(QDir::toNativeSeparators(home::serverFile(cl.home))));
            return 0;
        }
        home::create(cl.home, cl.user, cl.password);
    } catch (const DataError& e) {
        std::fprintf(stderr, "etiquetas-vorla: %s\n", qPrintable(e.text()));
        return 1;
    }
    std::fprintf(stdout, "Bancos criados em %s\n", qPrintable(QDir::toNativeSeparators(QDir(cl.home).absolutePath())));
    return 0;
}

// The label printer's state on the terminal, for a technician: 0 when it is ready.
int printerStatus(const CommandLine& cl)
{
    const QString printer = cl.printer.isEmpty() ? printers::defaultPrinter() : cl.printer;
    const PrinterStatus status = queryPrinterStatus(printer);
    std::fprintf(stdout, "%s: %s\n", qPrintable(printer.isEmpty() ? QStringLiteral("(nenhuma)") : printer),
                 qPrintable(printerStatusWord(status)));
    if (!status.ready())
        for (const QString& line : printerStatusText(status).split(QLatin1Char('\n')))
            std::fprintf(stdout, "  %s\n", qPrintable(line));
    return status.ready() ? 0 : 1;
}
} // namespace

namespace {
int renderFile(const CommandLine& cl)
{
    QFile job(cl.jobFile);
    if (!job.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "etiquetas-vorla: não foi possível ler %s\n", qPrintable(cl.jobFile));
        return 1;
    }
    const render::RenderResult result = render::renderJob(job.readAll());
    QString error;
    for (const QString& file : render::savePictures(result.labels, cl.pictureFile, error))
        std::fprintf(stdout, "%s\n", qPrintable(file));
    for (int i = 0; i < result.labels.size(); ++i)
        if (!result.labels[i].notShown.isEmpty())
            std::fprintf(stderr, "etiquetas-vorla: etiqueta %d, não mostrado: %s\n", i + 1,
                         qPrintable(result.labels[i].notShown.join(QStringLiteral(", "))));
    if (!error.isEmpty() || !result.ok()) {
        std::fprintf(stderr, "etiquetas-vorla: %s\n", qPrintable(error.isEmpty() ? result.error : error));
        return 1;
    }
    if (result.labels.isEmpty()) {
        std::fputs("etiquetas-vorla: o trabalho não tem etiqueta que desenhe algo\n", stderr);
        return 1;
    }
    return 0;
}

int printHistory(const CommandLine& cl)
{
    try {
        Connection store = home::openPedidos(cl.home);
        history::Filter filter;
        filter.barcode = cl.barcode;
        filter.order = cl.order;
        filter.production = cl.production.isEmpty() ? QString() : formatProductionNumber(cl.production);
        const QList<history::JobRecord> jobs =
            history::PrintHistory(store).find(filter, std::numeric_limits<int>::max());
        const QString text = cl.csv ? history::csv(jobs) : history::table(jobs);
        std::fputs(text.toUtf8().constData(), stdout);
        // Said apart from the rows, so a spreadsheet or a script reading them gets none.
        if (jobs.isEmpty() && !cl.csv) std::fputs("Nenhum trabalho no histórico com esses filtros.\n", stderr);
        return 0;
    } catch (const DataError& e) {
        std::fprintf(stderr, "etiquetas-vorla: %s\n", qPrintable(e.text()));
        return 1;
    }
}

QString executableFolder(const char* argv0)
{
    QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString path = self.exists() ? self.canonicalFilePath() : QFileInfo(QString::fromLocal8Bit(argv0)).absoluteFilePath();
    return QFileInfo(path).absolutePath();
}
} // namespace

int runProgram(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine cl = CommandLine::parse(arguments, home::defaultFolder(executableFolder(argv[0])));
    switch (cl.action) {
    case CommandLine::Action::Help:
        std::fputs(qPrintable(CommandLine::helpText()), stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "etiquetas-vorla: %s\n\n%s", qPrintable(cl.error), qPrintable(CommandLine::helpText()));
        return 2;
    case CommandLine::Action::Init:
    case CommandLine::Action::InitServer: {
        QCoreApplication app(argc, argv);
        return initHome(cl);
    }
    case CommandLine::Action::Render: {
        // Pictures need no screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return renderFile(cl);
    }
    case CommandLine::Action::PrinterStatus: {
        QCoreApplication app(argc, argv);
        return printerStatus(cl);
    }
    case CommandLine::Action::History: {
        QCoreApplication app(argc, argv);
        return printHistory(cl);
    }
    case CommandLine::Action::Run:
        break;
    }
    render::installPngPrinter();

    QApplication app(argc, argv);
    // Message boxes that name no title of their own carry the program's name.
    QApplication::setApplicationName(QStringLiteral("Etiquetas VORLA"));
    installPortugueseDialogs(app);
    ProgramState state(QDir(cl.home).absolutePath());
    state.impressoraAtual = printers::defaultPrinter();
    QtOperator op;
    op.setStartFolder(state.home);
    try {
        state.AbreConexaoCadastro();
    } catch (const DataError& e) {
        // Without the user store nobody can log in: say why and stop.
        QString text = e.text();
        if (!QFileInfo::exists(home::cadastroFile(state.home)) && !home::serverUri(state.home))
            text += QStringLiteral("\n\nPara criar os bancos nesta pasta: etiquetas-vorla --init %1")
                        .arg(QDir::toNativeSeparators(state.home));
        std::fprintf(stderr, "etiquetas-vorla: %s\n", qPrintable(text));
        std::fflush(stderr);
        op.message(text, QStringLiteral("VORLA"), Operator::Icon::Critical);
        return 1;
    }
    try {
        // History older than it is kept for goes at start, a few hundred rows at a time;
        // a store that cannot be pruned now (busy, missing) is pruned at a later start.
        Connection orders = home::openPedidos(state.home);
        history::PrintHistory(orders).prune();
    } catch (const DataError&) {
    }
    frmsenha::showAtStart(state, op);
    return app.exec();
}
