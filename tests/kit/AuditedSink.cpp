#include "tests/kit/AuditedSink.h"

#include "table/CMj.h"
#include "tests/kit/TableAudit.h"

void AuditedSink::OnGameMsg(const GameMsg &msg)
{
    game->OnGameMsg(msg);
    Audit(records++, msg.Type());
}

void AuditedSink::OnDisconnect()
{
    game->OnDisconnect();
    Audit(-1, 0);
}

void AuditedSink::BeginRecords()
{
    game->BeginRecords();
}

void AuditedSink::EndRecords()
{
    game->EndRecords();
}

bool AuditedSink::Holding() const
{
    return game->Holding();
}

void AuditedSink::Audit(int record, int type)
{
    if (!broken.empty())
        return;
    std::vector<std::string> found = TableAudit::Bounds(*game);
    if (found.empty())
        return;
    const std::string when = record < 0 ? "the link ended"
                                        : "record " + std::to_string(record) + " (type " + std::to_string(type) + ")";
    broken = "after " + when + ": " + found.front();
}
