// Module entry point: answers the host's application messages.
