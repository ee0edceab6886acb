#pragma once

#include "data/Connection.h"
#include "data/Recordset.h"

#include <QString>

// What the windows and flows of one run share: the two store connections, the
// shared recordsets, the selected label printer and the import's progress.
// One object per run, handed to every window; there are no globals.
struct ProgramState {
    explicit ProgramState(QString homeFolder) : home(std::move(homeFolder)) {}

    QString home;

    Connection ConexaoCadastro;
    Connection ConexaoPedidos;
    Recordset RsGeral;
    Recordset RsSoma;
    QString SqlGeral;

    QString ImpressoraSelecionada;  // queue of all label output
    // The workstation's current printer: the printer chooser starts from it and the one
    // picked there becomes it. At start, $PRINTER or the spooler's default queue.
    QString impressoraAtual;

    int TipoCarga = 0;
    QString ArquivoTxt;
    int ContaPedido = 0;
    qint64 IdPedidoAtual = 0;
    QString ConfLinha5;

    // Each makes its connection a fresh open one; throws DataError when the store
    // is missing or not a database.
    void AbreConexaoCadastro();
    void AbreConexaoPedidos();
};
