#pragma once

// State of the serial link, kept by the port worker and read by the interface manager.
enum INTERFACE_LOGIC_STATE_T {
    LOGIC_IDLE = 0,
    LOGIC_SEND_COMMAND = 1,
    LOGIC_SEND_ANSWER = 2,
    LOGIC_RECEIVE = 3,
    LOGIC_WAIT_ANSWER = 4,
    LOGIC_ANSWER_READY = 5,
    LOGIC_MESSAGE_READY = 6,
    LOGIC_PORT_CLOSED = 7,
    LOGIC_TIMEOUT = 8,
};
