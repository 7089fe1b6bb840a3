#include "MaintenancePage.h"

#include "common/ClickableLabel.h"
#include "common/Controls.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
struct Item {
    const char* name;
    const char* caption;
    const char* hint;
};

// Items 8 and 9 fill ListBox1; 14 to 17 leave it as it is; the others hide it when they run.
const QStringList keepTheList{"Label10", "Label11", "Label14", "Label15", "Label18", "Label17", "LImportar"};

// Captions and hints as the keeper reads them.
const Item maintenanceItems[] = {
    {"Label1", "1. Inclusão/Exclusão (individual) de militar no Sistema e/ou em serviços;  ",
     "Militar recém chegado: inclusão ou deixando a OM: exclusão"},
    {"Label2", "2. Inclusão/Exclusão (coletiva) de militares no Sistema e/ou em serviços;",
     "Militar recém chegado: inclusão ou deixando a OM: exclusão"},
    {"Label4", "3. Retirar militar de todas as escalas temporariamente (férias, dispensa, baixa hospitalar, etc);", ""},
    {"Label5", "4. Retornar militar para todas as escalas (retorno de férias, de dispensa, alta hospitalar, etc);", ""},
    {"Label8", "5. Cadastrar as Escalas Vermelhas  (sábados, domingos, feriados e dias sem expediente);", ""},
    {"Label6", "6. Equalizar / Zerar Escalas;", ""},
    {"Label38", "7. Consulta e Alteração dos Arquivos do Sistema (de Pessoal  e dos Serviços);   ", ""},
    {"Label10", "8. Relação dos militares CADASTRADOS no SISTEMA mas que não estão em nehuma escala;", ""},
    {"Label11", "9. Relação dos militares NÃO CADASTRADOS no SISTEMA mas que estão em alguma escala;", ""},
    {"Label35", "10. Desfazer escalação a partir de determinado dia (inclusive);", ""},
    {"Label3", "11. Cálculo automático das prioridades entre os serviços;", "Para atualização manual, usar a opção 7."},
    {"Label12", "12. Excluir do Histórico registros anteriores a determinado dia (exclusive);",
     "Elimina registros antigos liberando espaço no Banco de Dados"},
    {"Label13", "13. Incluir/Excluir/Alterar dados de um determinado Serviço (Of Dia, Sgt Dia, etc.);", ""},
    {"Label14", "14. Quadro Modelo com as formas de escrita dos Postos e Graduações.", ""},
    {"Label15", "15. Preenchimento da Capa do Sistema", ""},
    {"Label18", "16. Cópia de Segurança", ""},
    {"Label17", "17. Inicializar o Sistema", "Irá limpar todos os arquivos do sistema"},
    {"LImportar", "18. Importar dados de uma pasta antiga",
     "Traz as tabelas Paradox (Basico.DB, Sv.DB, Hist.DB...) e os arquivos de texto de uma unidade para uma pasta nova"},
};
}

MaintenancePage::MaintenancePage(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    for (const Item& i : maintenanceItems) {
        ClickableLabel* label = MenuItem(QString::fromUtf8(i.name), QString::fromUtf8(i.caption),
                                         QString::fromUtf8(i.hint), this);
        items << label;
        column->addWidget(label);
        connect(label, &ClickableLabel::clicked, this, [this, label] {
            if (!keepTheList.contains(label->objectName()))
                ListBox1->hide();
            emit itemChosen(label->objectName());
        });
    }
    column->addStretch();

    ListBox1 = Named<QListWidget>(QStringLiteral("ListBox1"), this);
    ListBox1->setSortingEnabled(true);
    ListBox1->setMinimumWidth(260);
    ListBox1->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addLayout(column, 1);
    layout->addWidget(ListBox1);
}

ClickableLabel* MaintenancePage::item(const QString& objectName) const
{
    for (ClickableLabel* label : items) {
        if (label->objectName() == objectName)
            return label;
    }
    return nullptr;
}
