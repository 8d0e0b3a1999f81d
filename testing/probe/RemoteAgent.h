#pragma once
#include <string>
#include "testing/probe/ProbeReply.h"
#include "testing/probe/agent/AgentRequest.h"

// Runs request on the thread that owns request.window: hooks the agent
// library into that thread, wakes it with the agent's message, waits for the
// answer and removes the hook again.
bool RunInOwnerThread(AgentRequest& request, std::string& error);

// The agent's answer lines, added to reply as records.
void AddAgentAnswer(const AgentRequest& request, ProbeReply& reply);
// The same for an answer made in the probe's own process: a record a line.
void AddAnswerLines(const std::string& answer, ProbeReply& reply);
