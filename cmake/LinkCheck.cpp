// Nothing of its own: the shared objects that check the floors link one floor's library whole.
