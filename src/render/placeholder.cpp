// Replaced as the rendering sources arrive.
