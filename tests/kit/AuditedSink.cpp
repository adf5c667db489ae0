#include "tests/kit/AuditedSink.h"

#include "table/CMj.h"
#include "tests/kit/TableAudit.h"

void AuditedSink::OnGameMsg(const GameMsg &msg)
{
    game->OnGameMsg(msg);
    Audit("record " + std::to_string(records++) + " (type " + std::to_string(msg.Type()) + ")");
}

void AuditedSink::OnDisconnect()
{
    game->OnDisconnect();
    Audit("the link ended");
}

void AuditedSink::Audit(const std::string &when)
{
    if (!broken.empty())
        return;
    std::vector<std::string> found = TableAudit::Bounds(*game);
    if (!found.empty())
        broken = "after " + when + ": " + found.front();
}
