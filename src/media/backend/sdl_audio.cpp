// SDL2_mixer backend of the music device and the effects player.
